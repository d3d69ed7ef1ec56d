// (Win32) TTavrikForm::LoadPages, SavePage, the change of page and WritePageList.
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/page_file_checks.h"
#include "pages/page_file_look.h"
#include "pages/page_format.h"
#include "pages/page_name.h"
#include "pages/page_version_files.h"
#include "settings/parameters.h"
#include "ui/accessible_parts.h"
#include "ui/page_file_texts.h"
#include "ui/page_texts.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <new>

namespace tavrik::app {
namespace {
const std::wstring kPagesSection(ToWide(settings::kSectionPages));
constexpr wchar_t kPageExtension[] = L".tvk";
}  // namespace

pages::PageDefaults TTavrikForm::Defaults() const {
    return {params.DefaultRichEditColor, params.DefaultFontName, params.DefaultFontColor, params.DefaultFontSize,
            params.DefaultFontStyle};
}

editor::CharFormat TTavrikForm::DefaultFormat() const {
    return {ToWide(params.DefaultFontName), params.DefaultFontSize, params.DefaultFontColor, params.DefaultFontStyle};
}

int TTavrikForm::TabIndex() const { return book_.Current(); }

void TTavrikForm::SetTabIndexQuietly(int index) {
    book_.SetCurrent(index);
    if (tabsFilled_) SendMessageW(TabControl1, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);  // no change notices
}

std::wstring TTavrikForm::PageName(int index) const {
    return index >= 0 && index < PageCount() ? book_[index].name : std::wstring();
}

// Wine's tab strip takes about half a millisecond per tab inserted, which would make start-up
// with hundreds of pages slow. Nobody sees the strip while the window is hidden, so it gets its
// tabs with the other hidden parts (BuildHiddenParts).
void TTavrikForm::FillTabStrip() {
    if (tabsFilled_ || !TabControl1) return;
    tabsFilled_ = true;
    for (int i = 0; i < PageCount(); ++i) InsertTab(i);
    SendMessageW(TabControl1, TCM_SETCURSEL, static_cast<WPARAM>(book_.Current()), 0);
    if (book_.Current() >= 0) PlaceEditor(book_[book_.Current()].editor);
}

void TTavrikForm::InsertTab(int index) {
    std::wstring shown = ToWide(pages::ShownName(ToU16(book_[index].name)));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = shown.data();
    SendMessageW(TabControl1, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::wstring TTavrikForm::PageFileOf(std::wstring_view name) const {
    return ToWide(params.SaveTo) + std::wstring(name) + kPageExtension;
}

std::wstring TTavrikForm::PagePath(int index) const { return PageFileOf(PageName(index)); }

// The page's editor, set up from its entry and placed on the tab strip; hidden until shown.
HWND TTavrikForm::MakeEditor(const PageSlot& slot) {
    editor::EditorSetup setup;
    setup.plainText = params.Plain;
    setup.wordWrap = slot.entry.wordWrap;
    setup.background = slot.entry.color;
    setup.defaultFormat = DefaultFormat();
    setup.spelling = params.SpellCheck;
    const HWND editor = editor::CreatePageEditor(TabControl1, kFirstEditorId, setup);
    // Its real size at once, hidden or not: text wrapped at a width of nothing takes Wine's
    // control ages, and the caret's place on screen depends on it.
    PlaceEditor(editor);
    return editor;
}

HWND TTavrikForm::Editor(int index) {
    return EnsurePage(index) ? book_[index].editor : nullptr;
}

pages::PageEntry TTavrikForm::CurrentEntry(int index) const {
    const PageSlot& slot = book_[index];
    pages::PageEntry entry = slot.entry;
    if (slot.editor && slot.loaded && !slot.unreadable) entry.caret = editor::GetCaret(slot.editor);
    return entry;
}

void TTavrikForm::LoadPages() {
    const pages::PageDefaults defaults = Defaults();
    auto entries = IniFile->ReadSectionEntries(kPagesSection);
    std::vector<std::wstring> listed;
    for (const auto& entry : entries) listed.push_back(entry.first);
    std::erase_if(entries, [](const auto& entry) { return !pages::IsSafeStoredPageName(ToU16(entry.first)); });
    // Names Windows takes for one file would share it: the first keeps it, the others are left out.
    for (size_t i = 1; i < entries.size();) {
        const auto same = [&](const auto& kept) { return app::SameFileName(kept.first, entries[i].first); };
        const bool twin = std::any_of(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(i), same);
        if (twin) entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        else ++i;
    }
    if (entries.empty()) {
        // First run, or nothing usable in the list: one page, also when its entry cannot be written.
        const std::wstring name(ToWide(pages::kDefaultPageName));
        const std::wstring value = ToWide(EncodePageEntry(NewPageEntry(defaults)));
        (void)IniFile->WriteString(kPagesSection, name, value);
        entries.assign(1, {name, value});
    }

    if (TabControl1) TabCtrl_DeleteAllItems(TabControl1);
    tabsFilled_ = false;
    std::vector<PageSlot> pages(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        pages[i].entry = pages::DecodePageEntry(ToU16(entries[i].second), defaults);
        pages[i].name = std::move(entries[i].first);
    }
    book_.Reset(std::move(pages));
    book_.AlsoKnown(listed);
    SetTimer(hwnd_, kTimerBuildHidden, 0, nullptr);

    const int start = params.StartPage;
    SetTabIndexQuietly(start >= 0 && start < PageCount() ? start : 0);
    // The start page is read when the window first comes up, or when something needs it sooner.
}

// A page's editor is made and its file read when the page is first needed: shown, saved after a
// change, searched. Until then the page is its entry and its file on disk. A page whose file
// could not be read is tried again each time it is needed.
bool TTavrikForm::EnsurePage(int index) {
    if (index < 0 || index >= PageCount()) return false;
    PageSlot& slot = book_[index];
    if (slot.loaded && !slot.unreadable) return slot.editor != nullptr;
    BuildHiddenParts();  // the editors live on the tab strip
    if (!slot.editor) {
        slot.editor = MakeEditor(slot);
        if (!slot.editor) return false;
    }
    ReadPageFile(index);
    return true;
}

namespace {
// Within the size limit the text can still find no room (a 32-bit process with much open): the
// page then stays unread, as for a file too large, instead of the program ending.
bool LoadIntoEditor(HWND editor, std::string_view bytes, bool plain) {
    try {
        editor::LoadPageBytes(editor, bytes, plain);
        return true;
    } catch (const std::bad_alloc&) {
        SetWindowTextW(editor, L"");
        return false;
    }
}
}  // namespace

// An empty page written over a file we could not read would destroy it: such a page stays
// unread, read-only, with the reason in view instead of its text, and is never written.
void TTavrikForm::ReadPageFile(int index) {
    PageSlot& slot = book_[index];
    const std::wstring base = ToWide(params.SaveTo) + slot.name;
    const std::wstring path = base + kPageExtension;
    pages::GiveOldFileItsExtension(base, path);
    const pages::FileLook look = pages::LookAtFile(path, std::nullopt);
    const bool triedBefore = slot.loaded;
    slot.loaded = true;
    DWORD error = look.error;
    if (look.now == pages::FileNow::Gone || look.bytes) {
        if (slot.unreadable) {
            slot.unreadable = false;
            SendMessageW(slot.editor, EM_SETREADONLY, FALSE, 0);
            SendMessageW(slot.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(editor::ResolveColor(slot.entry.color)));
            SetWindowTextW(slot.editor, L"");
        }
        slot.file.reset();
        bool shown = true;
        if (look.bytes) {
            const OneAtATime loading(loadingPage_);  // the file's own text is no change to save
            shown = LoadIntoEditor(slot.editor, *look.bytes, params.Plain);
            if (shown) {
                slot.file = pages::KnownFile{*look.stamp, look.hash};
                slot.reformatted = params.Plain && pages::LooksLikeWholeRtf(*look.bytes);
            }
        }
        if (shown) {
            editor::SetCaret(slot.editor, slot.entry.caret > 0 ? slot.entry.caret : 0);
            SendMessageW(slot.editor, EM_EMPTYUNDOBUFFER, 0, 0);
            SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
            return;
        }
        error = ERROR_FILE_TOO_LARGE;
    }
    slot.unreadable = true;
    const std::wstring reason = UnreadableReason(path, error);
    SendMessageW(slot.editor, EM_SETREADONLY, TRUE, 0);
    SendMessageW(slot.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
    SetWindowTextW(slot.editor, FormatText(PageText(ui::PageText::UnreadablePage), {reason}).c_str());
    SendMessageW(slot.editor, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
    if (!triedBefore) TellWhenShown(reason);  // once; later tries only renew the text in view
}

// Past the size the program reads, the system's text for that error speaks of saving: ours says why.
std::wstring TTavrikForm::UnreadableReason(const std::wstring& path, DWORD error) const {
    if (error != ERROR_FILE_TOO_LARGE) return CannotOpenFileText(path, error);
    const std::wstring limit = std::to_wstring(pages::kMaxPageFileBytes >> 20);
    return FormatText(ToWide(ui::PageFileTextIn(ui::PageFileText::TooLarge, InterfaceLanguage())), {path, limit});
}

void TTavrikForm::PlaceEditor(HWND editor) const {
    if (!editor || !TabControl1) return;
    RECT rc{};
    GetClientRect(TabControl1, &rc);
    TabCtrl_AdjustRect(TabControl1, FALSE, &rc);
    MoveWindow(editor, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void TTavrikForm::ShowOnly(int index) {
    BuildHiddenParts();
    if (!EnsurePage(index)) return;
    const HWND editor = book_[index].editor;
    PlaceEditor(editor);
    ShowWindow(editor, SW_SHOW);
    for (int i = 0; i < PageCount(); ++i) {
        const HWND other = book_[i].editor;
        if (i != index && other && IsWindowVisible(other)) ShowWindow(other, SW_HIDE);
    }
}

// Every page that can be written is written, also past one that cannot; the ones that could not
// are named in one message. Their old files are still whole.
bool TTavrikForm::SavePage(int index) {
    if (index >= PageCount()) return false;
    if (index >= 0) {
        const DWORD error = WritePageFile(index);
        if (error != ERROR_SUCCESS) ShowPageNotSaved(index, error);
        return error == ERROR_SUCCESS;
    }
    std::vector<std::pair<std::wstring, DWORD>> failures;
    bool refused = false;
    for (const auto& [i, error] : WriteEveryPage()) {
        refused = refused || book_[i].saveRefused;
        if (book_[i].saveRefused) ShowPageNotSaved(i, error);  // why it was not written needs its own words
        else failures.emplace_back(PagePath(i), error);
    }
    if (!failures.empty()) ShowCannotCreateFiles(hwnd_, failures);
    return failures.empty() && !refused;
}

std::vector<std::pair<int, DWORD>> TTavrikForm::WriteEveryPage() {
    std::vector<std::pair<int, DWORD>> failures;
    for (int i = 0; i < PageCount(); ++i)
        if (const DWORD error = WritePageFile(i); error != ERROR_SUCCESS) failures.emplace_back(i, error);
    return failures;
}

// Only a page that changed is written, and only over the file it last read or wrote: a file that
// another program or computer changed meanwhile is read back into an unchanged page, or kept as a
// version before a changed one replaces it. An unchanged page whose file is away or read-only
// costs nothing and blocks nothing.
DWORD TTavrikForm::WritePageFile(int index, bool alwaysKeepVersion) {
    const PageSlot& slot = book_[index];
    if (!slot.loaded || !slot.editor || slot.unreadable) return ERROR_SUCCESS;  // its file is as it was
    return SettlePageFile(index, pages::LookAtFile(PagePath(index), slot.file), alwaysKeepVersion);
}

// What the page and `look`, its file as just found, call for: nothing, a reload, or a write.
DWORD TTavrikForm::SettlePageFile(int index, const pages::FileLook& look, bool alwaysKeepVersion) {
    PageSlot& slot = book_[index];
    const std::wstring path = PagePath(index);
    const bool changed = SendMessageW(slot.editor, EM_GETMODIFY, 0, 0) != 0 || slot.reformatted;
    bool keptTheirs = false;  // then what we replace is kept already
    slot.saveRefused = false;
    switch (pages::DecideSave(changed, slot.file.has_value(), look.now, ending_)) {
    case pages::SaveStep::Nothing:
        if (look.now == pages::FileNow::AsKnown && look.stamp) slot.file->stamp = *look.stamp;  // touched only
        return ERROR_SUCCESS;
    case pages::SaveStep::Reload:
        ReloadPage(index, look);
        return ERROR_SUCCESS;
    case pages::SaveStep::KeepBoth:
        // Theirs first, whatever the hour or the count: without it their text would be gone.
        if (const DWORD error = pages::KeepVersion(VersionPlaces(), slot.name, path, true).error; error != ERROR_SUCCESS)
            return error;  // neither side is lost: ours stays in the editor, theirs in the file
        slot.bothChanged = keptTheirs = true;
        break;
    case pages::SaveStep::Write:
        break;
    }
    const bool plain = (SendMessageW(slot.editor, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT) != 0;
    const bool emptied = GetWindowTextLengthW(slot.editor) == 0;
    std::uint64_t hash = 0;
    const bool versionFailedBefore = slot.versionError != 0;
    bool refused = false;
    std::wstring linked;
    const DWORD error = app::ReplaceFileContents(
        path, [&](HANDLE file) { return editor::WritePage(slot.editor, file, plain, &hash); },
        [&](const std::wstring& newFile) {
            const DWORD keepError =
                keptTheirs ? ERROR_SUCCESS : KeepVersionIfDue(slot, path, newFile, emptied, alwaysKeepVersion, linked);
            refused = keepError != ERROR_SUCCESS;
            return keepError;
        });
    if (error != ERROR_SUCCESS && !linked.empty()) (void)pages::DetachVersion(linked);  // else it stays a version
    slot.saveRefused = refused;
    if (error == ERROR_SUCCESS && slot.versionError != 0 && !versionFailedBefore)
        ShowVersionNotKept(index, slot.versionError);  // once; the caption says it until one is kept
    if (error == ERROR_SUCCESS) {
        SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);  // nothing left for autosave
        slot.reformatted = false;
        DWORD stampError = ERROR_SUCCESS;
        const auto stamp = pages::StampOf(path, stampError);
        if (stamp) slot.file = pages::KnownFile{*stamp, hash};
        else slot.file.reset();  // gone at once: the next check reads what is there
    }
    if (slot.saveFailed != (error != ERROR_SUCCESS) || keptTheirs || (slot.versionError != 0) != versionFailedBefore) {
        slot.saveFailed = error != ERROR_SUCCESS;
        ShowSaveState();
    }
    return error;
}

// The file's text replaces the page's; the page's own is kept as a version first, so the reload
// can be undone from Versions. The caret stays where it was, as far as the new text reaches.
void TTavrikForm::ReloadPage(int index, const pages::FileLook& look) {
    PageSlot& slot = book_[index];
    if (!look.bytes || !look.stamp) return;
    if (GetWindowTextLengthW(slot.editor) > 0) {
        const bool plain = (SendMessageW(slot.editor, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT) != 0;
        (void)pages::KeepVersionOf(VersionPlaces(), slot.name,
                                   [&](HANDLE file) { return editor::WritePage(slot.editor, file, plain); });
    }
    const int caret = editor::GetCaret(slot.editor);
    {
        const OneAtATime loading(loadingPage_);  // the file's own text is no change to save
        editor::LoadPageBytes(slot.editor, *look.bytes, params.Plain);
    }
    slot.reformatted = params.Plain && pages::LooksLikeWholeRtf(*look.bytes);
    editor::SetCaret(slot.editor, caret);
    SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
    slot.file = pages::KnownFile{*look.stamp, look.hash};
}

// Another program or computer may have written a page file while we were away: each page in an
// editor is measured against its file, and one that changed there is read again or, changed here
// too, both texts are kept. One stat per loaded page when nothing changed.
void TTavrikForm::CheckPageFiles() {
    for (int i = 0; i < PageCount(); ++i) CheckPageFile(i);
}

void TTavrikForm::CheckPageFile(int index) {
    const PageSlot& slot = book_[index];
    if (!slot.loaded || !slot.editor || slot.unreadable) return;
    const pages::FileLook look = pages::LookAtFile(PagePath(index), slot.file);
    if (look.now != pages::FileNow::Changed) return;
    const bool toldBefore = slot.saveFailed;
    const DWORD error = SettlePageFile(index, look, false);  // reads it again, or keeps both texts
    if (error != ERROR_SUCCESS && !toldBefore) ShowPageNotSaved(index, error);
}

// A look, not a watch: a change notification would hold the page folder open (a folder deleted
// meanwhile stays pending on Windows, and under Wine it even stays in place), and the shares and
// cloud folders where this matters most send none. Nothing runs while the window is hidden.
void TTavrikForm::PageFilesTime() {
    const ULONGLONG start = GetTickCount64();
    if (!Busy()) {  // else after the box that is open: the save it belongs to checks anyway
        const OneAtATime one(busy_);
        CheckPageFiles();
    }
    const bool slow = GetTickCount64() - start > 250;
    SetTimer(hwnd_, kTimerPageFiles, slow ? kPageFilesSlowEveryMs : kPageFilesEveryMs, nullptr);
}

bool TTavrikForm::TabControl1Changing() {
    RECT before{};
    GetWindowRect(hwnd_, &before);
    (void)SavePage(TabIndex());  // a failed save was reported; the change of page goes on
    book_.SetPrevious(TabIndex());
    RECT after{};
    GetWindowRect(hwnd_, &after);
    if (!EqualRect(&before, &after))
        SetWindowPos(hwnd_, nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TTavrikForm::TabControl1Change() {
    const int index = TabIndex();
    if (EnsurePage(index)) {
        CheckPageFile(index);
        const HWND editor = book_[index].editor;
        PlaceEditor(editor);
        ShowWindow(editor, SW_SHOW);
        SetFocus(editor);
    }
    if (index != book_.Previous() && book_.Previous() >= 0 && book_.Previous() < PageCount()) {
        const HWND left = book_[book_.Previous()].editor;
        if (left) ShowWindow(left, SW_HIDE);
    }
    if (tabsFilled_) ui::AnnounceSelected(TabControl1, index);  // a screen reader says the page's name
    SelectionChange();
}

void TTavrikForm::SwitchToPage(int k) {
    book_.SetPrevious(TabIndex());
    (void)SavePage(TabIndex());
    SetTabIndexQuietly(k);
    TabControl1Change();
}

// Merged with what the file holds now: entries another copy of Tavrik added meanwhile stay.
bool TTavrikForm::WritePageList() {
    pages::ListEntries ours;
    ours.reserve(static_cast<size_t>(PageCount()));
    for (int i = 0; i < PageCount(); ++i) ours.emplace_back(PageName(i), ToWide(EncodePageEntry(CurrentEntry(i))));
    const bool written = IniFile->Edit([&](settings::IniEdit& edit) {  // the list and its start page in one write
        pages::ListEntries onDisk;
        for (auto& [name, value] : edit.Document().Entries(ToU16(kPagesSection)))
            onDisk.emplace_back(ToWide(name), ToWide(value));
        const auto same = [](std::wstring_view a, std::wstring_view b) { return app::SameFileName(a, b); };
        edit.ReplaceSection(kPagesSection, pages::MergePageList(onDisk, ours, book_.Known(), same));
        params.StartPage = TabIndex();
        edit.WriteParameters(params, {&settings::Parameters::StartPage});
    });
    book_.SetListOwed(!written);
    return written;
}

}  // namespace tavrik::app
