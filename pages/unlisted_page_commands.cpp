// (Win32) TTavrikForm's page files that no page lists: found at start-up and after a change of folder,
// told in the caption and the tray tip, and added as pages, opened beside the page they copy or
// sent to the Recycle Bin from the Pages not in the list dialog.
#include "app/dialogs.h"
#include "app/error_box.h"
#include "app/keys_off.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "pages/page_file_look.h"
#include "pages/page_name.h"
#include "pages/recycle_bin.h"
#include "pages/unlisted_pages.h"
#include "pages/unlisted_pages_dialog.h"
#include "ui/unlisted_texts.h"

#include <algorithm>
#include <cwchar>

namespace tavrik::app {
namespace {
constexpr std::wstring_view kPageExtension = L".tvk";

std::wstring StemOf(const std::wstring& fileName) { return fileName.substr(0, fileName.size() - kPageExtension.size()); }

// The names of the files matching "*.tvk" in one pass. Directories are left out; so are the long
// names the pattern finds through their short ones ("x.tvkx"), by the rules after.
std::vector<std::u16string> PageFilesIn(const std::wstring& folder) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*.tvk").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return names;  // none, or the folder is away: looked at again next time
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(ToU16(data.cFileName));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::wstring ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

// The local date of the file's last write, "2026-12-09", for a copy whose name carries none.
std::wstring LastWriteDate(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME t{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t))
        return {};
    wchar_t text[16] = {};
    (void)swprintf(text, 16, L"%04u-%02u-%02u", t.wYear, t.wMonth, t.wDay);
    return text;
}
}  // namespace

std::vector<std::u16string> TTavrikForm::PageNamesU16() const {
    std::vector<std::u16string> names;
    names.reserve(static_cast<size_t>(PageCount()));
    for (const PageSlot& slot : book_) names.push_back(ToU16(slot.name));
    return names;
}

void TTavrikForm::FindUnlistedPages() {
    unlistedFiles_.clear();
    // Without tavrik.ini there is no list to hold them against: every page would seem left out.
    if (!SettingsHeldBack())
        for (const std::u16string& file : pages::UnlistedPageFiles(PageFilesIn(ToWide(params.SaveTo)), PageNamesU16()))
            unlistedFiles_.push_back(ToWide(file));
    // Told once: a finding the user has already looked at in the dialog is not told again.
    unlistedNotice_ = std::any_of(unlistedFiles_.begin(), unlistedFiles_.end(), [&](const std::wstring& file) {
        return std::none_of(unlistedSeen_.begin(), unlistedSeen_.end(),
                            [&](const std::wstring& seen) { return pages::SameFileName(ToU16(seen), ToU16(file)); });
    });
    UnlistedChanged();
}

void TTavrikForm::UnlistedChanged() {
    if (unlistedFiles_.empty()) unlistedNotice_ = false;
    menus_->Enable(ui::Cmd::UnlistedPages, !unlistedFiles_.empty());
    ShowSaveState();
}

std::wstring TTavrikForm::UnlistedNotice() const {
    if (!unlistedNotice_) return {};
    return L" - " + ToWide(ui::UnlistedCountText(unlistedFiles_.size(), InterfaceLanguage()));
}

std::wstring TTavrikForm::UnlistedText(ui::UnlistedText which) const {
    return ToWide(ui::UnlistedTextIn(which, InterfaceLanguage()));
}

void TTavrikForm::UnlistedPagesMenuClick() {
    FindUnlistedPages();  // the folder may have changed since the last look
    unlistedSeen_ = unlistedFiles_;
    unlistedNotice_ = false;
    UnlistedChanged();
    if (unlistedFiles_.empty()) return;
    const std::vector<std::u16string> pageNames = PageNamesU16();
    const std::u16string computer = ToU16(ComputerName());
    std::vector<pages::UnlistedRow> rows;
    for (const std::wstring& file : unlistedFiles_) {
        const auto page = pages::ConflictCopyOf(ToU16(StemOf(file)), pageNames, computer);
        rows.push_back({file, page ? ToWide(*page) : std::wstring()});
    }
    pages::UnlistedDialogTexts texts;
    texts.caption = UnlistedText(ui::UnlistedText::DialogCaption);
    texts.heading = UnlistedText(ui::UnlistedText::Heading);
    texts.fileColumn = UnlistedText(ui::UnlistedText::FileColumn);
    texts.copyOfColumn = UnlistedText(ui::UnlistedText::CopyOfColumn);
    texts.add = UnlistedText(ui::UnlistedText::AddButton);
    texts.beside = UnlistedText(ui::UnlistedText::BesideButton);
    texts.recycle = UnlistedText(ui::UnlistedText::RecycleButton);
    texts.close = UnlistedText(ui::UnlistedText::CloseButton);
    std::wstring lastAdded;
    const auto act = [&](size_t row, pages::UnlistedAction action) {
        const pages::UnlistedRow& file = rows[row];
        std::optional<std::wstring> added;
        if (action == pages::UnlistedAction::Recycle) {
            if (!pages::SendToRecycleBin(ToWide(params.SaveTo) + file.file)) {
                ShowError(hwnd_,
                          FormatText(UnlistedText(ui::UnlistedText::NotRecycled), {ToWide(params.SaveTo) + file.file}));
                return false;
            }
        } else {
            added = AddUnlistedFile(file.file, action == pages::UnlistedAction::Beside ? file.copyOf : std::wstring());
            if (!added) return false;
            lastAdded = *added;
        }
        std::erase_if(unlistedFiles_, [&](const std::wstring& name) { return name == file.file; });
        UnlistedChanged();
        return true;
    };
    {
        const KeysOff keysOff(*this);
        pages::ShowUnlistedPages(hwnd_, texts, rows, act);
    }
    // The page added last is shown once the dialog is gone; switching under it would take its focus.
    if (const int index = lastAdded.empty() ? -1 : PageNamed(lastAdded, -1); index >= 0) SwitchToPage(index);
}

// The page's name: the file's own when the rules take it, else one made from it, or for a conflict
// copy one after its page; the file is renamed to match. A name that still will not do (too long
// for the folder, or beyond the old settings file's code page) is asked for, as for a version.
std::optional<std::wstring> TTavrikForm::AddUnlistedFile(const std::wstring& fileName, const std::wstring& copyOf) {
    const std::wstring from = ToWide(params.SaveTo) + fileName;
    const std::wstring stem = StemOf(fileName);
    const int source = copyOf.empty() ? -1 : PageNamed(copyOf, -1);
    std::vector<std::u16string> taken = PageNamesU16();
    std::wstring name;
    for (;;) {  // another file already in the folder is never replaced: its name is taken too
        if (source >= 0) {
            std::wstring date;
            if (const auto inName = pages::ConflictDate(ToU16(stem))) date = ToWide(*inName);
            else date = LastWriteDate(from);
            name = ToWide(pages::ConflictPageName(ToU16(PageName(source)), ToU16(UnlistedText(ui::UnlistedText::ConflictWord)),
                                                  ToU16(date), taken));
        } else {
            name = ToWide(pages::PageNameForFile(ToU16(stem), params.SaveTo.size(), taken));
        }
        if (pages::SameFileName(ToU16(name), ToU16(stem)) || !app::FileExists(PageFileOf(name))) break;
        taken.push_back(ToU16(name));
    }
    for (;;) {
        if (CheckFileName(name)) {
            const bool itsOwn = pages::SameFileName(ToU16(name), ToU16(stem));
            if (PageNamed(name, -1) < 0 && (itsOwn || !app::FileExists(PageFileOf(name)))) break;
            PlainBox(ui::PageText::NameExists);
        }
        const auto typed = AskName(hwnd_, PageText(ui::PageText::NameDialogCaption), name, InterfaceLanguage());
        if (!typed) return std::nullopt;
        name = *typed;
    }
    if (name != stem && !MoveFileW(from.c_str(), PageFileOf(name).c_str())) {
        const DWORD error = GetLastError();
        ShowError(hwnd_, FormatText(UnlistedText(ui::UnlistedText::NotRenamed), {fileName, SystemErrorText(error)}));
        return std::nullopt;
    }
    pages::PageEntry entry = pages::NewPageEntry(Defaults());
    if (source >= 0) {
        entry = Page(source).entry;  // beside its page, in its colour and fonts
        entry.caret = 0;
    }
    (void)AddListedPage(name, source >= 0 ? source : PageCount() - 1, entry);
    return name;
}

// New page with the name of a file already in the folder that no page lists: offered as that page,
// its text kept. False when the user declines.
bool TTavrikForm::OfferUnlistedFile(const std::wstring& name) {
    if (PageNamed(name, -1) >= 0 || !app::FileExists(PageFileOf(name))) return false;
    const std::wstring question = FormatText(UnlistedText(ui::UnlistedText::OpenQuestion), {name + std::wstring(kPageExtension)});
    if (ShowMessage(hwnd_, question, UnlistedText(ui::UnlistedText::OpenCaption), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    const int index = AddListedPage(name, PageCount() - 1, pages::NewPageEntry(Defaults()));
    std::erase_if(unlistedFiles_, [&](const std::wstring& file) { return pages::SameFileName(ToU16(StemOf(file)), ToU16(name)); });
    UnlistedChanged();
    SwitchToPage(index);
    return true;
}

// The one place a page whose file is already in the folder joins the model: a slot after
// `afterIndex`, its tab, and its entry in the page list. The file is read when the page is first
// needed, like any other; nothing is written to it here.
int TTavrikForm::AddListedPage(const std::wstring& name, int afterIndex, const pages::PageEntry& entry) {
    const int index = std::clamp(afterIndex + 1, 0, PageCount());
    PageSlot slot;
    slot.name = name;
    slot.entry = entry;
    book_.Insert(index, std::move(slot));
    if (tabsFilled_) InsertTab(index);
    if (TabIndex() >= index) SetTabIndexQuietly(TabIndex() + 1);  // the current page moved along
    if (book_.Previous() >= index) book_.SetPrevious(book_.Previous() + 1);
    // At the end, its own key does; in the middle, the order is written whole.
    if (index == PageCount() - 1) (void)RewritePageEntry(index);
    else (void)WritePageList();
    return index;
}

}  // namespace tavrik::app
