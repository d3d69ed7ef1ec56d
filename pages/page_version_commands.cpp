// (Win32) TTavrikForm's page versions: kept when a page file is replaced, listed in the Versions dialog,
// and opened as new pages.
#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/keys_off.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "editor/text_mode.h"
#include "pages/page_file_look.h"
#include "pages/page_version_files.h"
#include "pages/page_versions.h"
#include "pages/save_leftover_sweep.h"
#include "pages/versions_dialog.h"

#include <shlwapi.h>

namespace tavrik::app {
namespace {

std::uint64_t SizeOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool SameBytes(const std::wstring& a, const std::wstring& b) {
    DWORD error = ERROR_SUCCESS;
    const auto first = app::ReadWholeFile(a, error);
    const auto second = first ? app::ReadWholeFile(b, error) : std::nullopt;
    return first && second && *first == *second;
}

// In the user's own date and time format.
std::wstring TimeText(const pages::VersionTime& time) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(time.year);
    t.wMonth = static_cast<WORD>(time.month);
    t.wDay = static_cast<WORD>(time.day);
    t.wHour = static_cast<WORD>(time.hour);
    t.wMinute = static_cast<WORD>(time.minute);
    t.wSecond = static_cast<WORD>(time.second);
    wchar_t date[80] = {}, clock[80] = {};
    (void)GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 80);
    (void)GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, clock, 80);
    return std::wstring(date) + L"  " + clock;
}

std::wstring SizeText(std::uint64_t size) {
    wchar_t text[64] = {};
    return StrFormatByteSizeW(static_cast<LONGLONG>(size), text, 64) ? text : std::to_wstring(size);
}

}  // namespace

pages::VersionPlaces TTavrikForm::VersionPlaces() const { return {ToWide(params.SaveTo), env_.userFolder}; }

std::wstring TTavrikForm::VersionText(ui::VersionText which) const {
    return ToWide(ui::VersionTextIn(which, InterfaceLanguage()));
}

// Called while the page file is still whole and its replacement is ready beside it, so nothing
// here asks anything: a failure is noted in the slot and said once the save is over. A version
// that cannot be kept is tried again at the page's next save; but a save that would leave little
// of the page, or that was asked to keep one, does not go ahead without it.
DWORD TTavrikForm::KeepVersionIfDue(PageSlot& slot, const std::wstring& pagePath, const std::wstring& newFile,
                                    bool emptied, bool always, std::wstring& linked) {
    if (params.Versions <= 0) return ERROR_SUCCESS;
    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
    if (!GetFileAttributesExW(pagePath.c_str(), GetFileExInfoStandard, &before) ||
        (before.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !GetFileAttributesExW(newFile.c_str(), GetFileExInfoStandard, &after))
        return ERROR_SUCCESS;  // a new page: nothing earlier to keep
    if (SizeOf(before) == 0) return ERROR_SUCCESS;  // nothing to keep
    const ULONGLONG now = GetTickCount64();
    // An emptied rich-text page still has its header: it counts as nothing.
    const std::uint64_t newSize = emptied ? 0 : SizeOf(after);
    if (!always && !pages::VersionDue(slot.versionKeptAt, now, SizeOf(before), newSize)) return ERROR_SUCCESS;
    // The same bytes again are no earlier version: the first real change keeps one.
    if (SizeOf(before) == SizeOf(after) && SameBytes(pagePath, newFile)) return ERROR_SUCCESS;
    const pages::KeptVersion kept =
        pages::KeepVersionAndRotate(VersionPlaces(), slot.name, pagePath, params.Versions, params.Plain);
    if (kept.error != ERROR_SUCCESS) {
        slot.versionError = kept.error;
        return always || pages::ShrinksDrastically(SizeOf(before), newSize) ? kept.error : ERROR_SUCCESS;
    }
    if (kept.linked) linked = kept.folder + kept.name;
    slot.versionError = 0;
    slot.versionKeptAt = now;
    return ERROR_SUCCESS;
}

void TTavrikForm::ShowVersionNotKept(int index, DWORD error) {
    ShowError(hwnd_, FormatText(VersionText(ui::VersionText::NotKept),
                                {PageName(index), env_.userFolder + L"Versions", SystemErrorText(error)}));
}

void TTavrikForm::ShowPageNotSaved(int index, DWORD error) {
    if (!book_[index].saveRefused) return ShowCannotCreateFile(hwnd_, PagePath(index), error);
    ShowError(hwnd_, FormatText(VersionText(ui::VersionText::SaveRefused),
                                {PageName(index), env_.userFolder + L"Versions", SystemErrorText(error)}));
}

void TTavrikForm::VersionsMenuClick() {
    const int index = TabIndex();
    if (index < 0) return;
    const std::wstring name = PageName(index);
    pages::SettleVersionCopyLeftovers(pages::PageVersionsFolder(ToWide(params.SaveTo), name), name, params.Plain);
    const std::vector<pages::VersionFile> versions = pages::ListVersions(VersionPlaces(), name);
    std::vector<pages::VersionRow> rows;
    if (!versions.empty()) {
        // Rich text shows its text only once a rich-edit control has read it, as the page would.
        editor::ScratchEditor scratch(DefaultFormat());
        for (const pages::VersionFile& version : versions) {
            std::wstring text;
            DWORD error = ERROR_SUCCESS;
            if (const auto bytes = app::ReadWholeFile(version.path, error); bytes && scratch.Handle()) {
                editor::LoadPageBytes(scratch.Handle(), *bytes, false);
                text = editor::GetText(scratch.Handle());
            }
            std::wstring time = TimeText(version.time);
            if (version.time.elsewhere) time = FormatText(PageText(ui::PageText::VersionFromElsewhere), {time});
            rows.push_back({time, SizeText(version.size), ToWide(pages::TextPreview(ToU16(text)))});
        }
    }
    pages::VersionsDialogTexts texts;
    texts.caption = PageText(ui::PageText::VersionsCaption);
    texts.heading = FormatText(PageText(versions.empty() ? ui::PageText::NoVersions : ui::PageText::VersionsOfPage), {name});
    texts.timeColumn = PageText(ui::PageText::VersionsTimeColumn);
    texts.sizeColumn = PageText(ui::PageText::VersionsSizeColumn);
    texts.textColumn = PageText(ui::PageText::VersionsTextColumn);
    texts.open = PageText(ui::PageText::VersionsOpenButton);
    texts.close = PageText(ui::PageText::VersionsCloseButton);
    if (book_[index].bothChanged) {  // the user is looking at the other text now
        book_[index].bothChanged = false;
        ShowSaveState();
    }
    const KeysOff keysOff(*this);
    if (const auto chosen = pages::ChooseVersion(hwnd_, texts, rows)) OpenVersionAsPage(versions[*chosen]);
}

// A page of its own, named after the page and the version's time, whose file holds the version's
// bytes exactly; the current page and its file are left as they are.
void TTavrikForm::OpenVersionAsPage(const pages::VersionFile& version) {
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> bytes = app::ReadWholeFile(version.path, error);
    if (!bytes) {
        ShowError(hwnd_, FormatText(PageText(ui::PageText::VersionUnreadable), {SystemErrorText(error)}));
        return;
    }
    const int source = TabIndex();
    std::vector<std::u16string> taken = PageNamesU16();
    std::wstring name;
    for (;;) {  // a file already in the folder is never replaced: its name is taken too
        name = ToWide(pages::VersionPageName(ToU16(PageName(source)), version.time, taken));
        if (GetFileAttributesW(PageFileOf(name).c_str()) == INVALID_FILE_ATTRIBUTES) break;
        taken.push_back(ToU16(name));
    }
    // A name the rules refuse (too long, or from an old page name with a dot) comes back for mending.
    for (;;) {
        if (CheckFileName(name)) {
            if (PageNamed(name, -1) < 0 && GetFileAttributesW(PageFileOf(name).c_str()) == INVALID_FILE_ATTRIBUTES) break;
            PlainBox(ui::PageText::NameExists);
        }
        const auto typed = AskName(hwnd_, PageText(ui::PageText::NameDialogCaption), name, InterfaceLanguage());
        if (!typed) return;
        name = *typed;
    }
    const std::wstring path = PageFileOf(name);
    error = app::ReplaceFileContents(path, [&](HANDLE file) { return app::WriteAll(file, bytes->data(), bytes->size()); });
    if (error != ERROR_SUCCESS) {
        ShowCannotCreateFile(hwnd_, path, error);
        return;
    }
    PageSlot slot;
    slot.name = name;
    slot.entry = book_[source].entry;  // the page's colour and fonts
    slot.entry.caret = 0;
    book_.Add(std::move(slot));
    const int index = PageCount() - 1;
    if (tabsFilled_) InsertTab(index);
    (void)RewritePageEntry(index);
    SwitchToPage(index);  // the page left is saved, as at every change of page
}

}  // namespace tavrik::app
