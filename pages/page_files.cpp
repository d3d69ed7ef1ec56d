// TTavrikForm::LoadPages, SavePage, the change of page and WritePageList.
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/page_io.h"
#include "pages/page_name.h"
#include "settings/parameters.h"
#include "ui/page_texts.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

namespace tavrik::app {
namespace {
const std::wstring kPagesSection(ToWide(settings::kSectionPages));
const std::wstring kParametersSection(ToWide(settings::kSectionParameters));
constexpr wchar_t kPageExtension[] = L".tvk";
}  // namespace

pages::PageDefaults TTavrikForm::Defaults() const {
    return {DefaultRichEditColor, ToU16(DefaultFontName), DefaultFontColor, DefaultFontSize, DefaultFontStyle};
}

int TTavrikForm::TabIndex() const { return currentPage_; }

void TTavrikForm::SetTabIndexQuietly(int index) {
    currentPage_ = index;
    if (tabsFilled_) SendMessageW(TabControl1, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);  // no change notices
}

std::wstring TTavrikForm::PageName(int index) const {
    return index >= 0 && index < PageCount() ? PageEditors[static_cast<size_t>(index)].name : std::wstring();
}

// Wine's tab strip takes about half a millisecond per tab inserted, which would make start-up
// with hundreds of pages slow. Nobody sees the strip while the window is hidden, so it gets its
// tabs with the other hidden parts (BuildHiddenParts).
void TTavrikForm::FillTabStrip() {
    if (tabsFilled_ || !TabControl1) return;
    tabsFilled_ = true;
    for (int i = 0; i < PageCount(); ++i) InsertTab(i);
    SendMessageW(TabControl1, TCM_SETCURSEL, static_cast<WPARAM>(currentPage_), 0);
    if (currentPage_ >= 0) PlaceEditor(PageEditors[static_cast<size_t>(currentPage_)].editor);
}

void TTavrikForm::InsertTab(int index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = PageEditors[static_cast<size_t>(index)].name.data();
    SendMessageW(TabControl1, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::wstring TTavrikForm::PageFileOf(std::wstring_view name) const {
    return SaveToFolder + std::wstring(name) + kPageExtension;
}

std::wstring TTavrikForm::PagePath(int index) const { return PageFileOf(PageName(index)); }

// The page's editor, set up from its entry and placed on the tab strip; hidden until shown.
HWND TTavrikForm::MakeEditor(const PageSlot& slot) {
    editor::EditorSetup setup;
    setup.plainText = Plain;
    setup.wordWrap = slot.entry.wordWrap;
    setup.background = slot.entry.color;
    setup.defaultFormat = editor::CharFormat{DefaultFontName, DefaultFontSize, DefaultFontColor, DefaultFontStyle};
    const HWND editor = editor::CreatePageEditor(TabControl1, kFirstEditorId, setup);
    // Its real size at once, hidden or not: text wrapped at a width of nothing takes Wine's
    // control ages, and the caret's place on screen depends on it.
    PlaceEditor(editor);
    return editor;
}

HWND TTavrikForm::Editor(int index) {
    return EnsurePage(index) ? PageEditors[static_cast<size_t>(index)].editor : nullptr;
}

pages::PageEntry TTavrikForm::CurrentEntry(int index) const {
    const PageSlot& slot = PageEditors[static_cast<size_t>(index)];
    pages::PageEntry entry = slot.entry;
    if (slot.editor && slot.loaded && !slot.unreadable) entry.caret = editor::GetCaret(slot.editor);
    return entry;
}

void TTavrikForm::LoadPages() {
    const pages::PageDefaults defaults = Defaults();
    auto entries = IniFile->ReadSectionEntries(kPagesSection);
    std::erase_if(entries, [](const auto& entry) { return !pages::IsSafeStoredPageName(ToU16(entry.first)); });
    // Names Windows takes for one file would share it: the first keeps it, the others are left out.
    for (size_t i = 1; i < entries.size();) {
        const auto same = [&](const auto& kept) { return pages::SameFileName(kept.first, entries[i].first); };
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
    PageEditors.clear();
    PageEditors.reserve(entries.size());
    for (auto& [name, value] : entries) {
        PageSlot slot;
        slot.entry = pages::DecodePageEntry(ToU16(value), defaults);
        slot.name = std::move(name);
        PageEditors.push_back(std::move(slot));
    }
    CurrentPageName = PageEditors.back().name;
    SetTimer(hwnd_, kTimerBuildHidden, 0, nullptr);

    const int start = IniFile->ReadInteger(kParametersSection, L"StartPage", 0);
    SetTabIndexQuietly(start >= 0 && start < PageCount() ? start : 0);
    CurrentPageName = PageName(TabIndex());
    // The start page is read when the window first comes up, or when something needs it sooner.
}

// A page's editor is made and its file read when the page is first needed: shown, saved after a
// change, searched. Until then the page is its entry and its file on disk. A page whose file
// could not be read is tried again each time it is needed.
bool TTavrikForm::EnsurePage(int index) {
    if (index < 0 || index >= PageCount()) return false;
    PageSlot& slot = PageEditors[static_cast<size_t>(index)];
    if (slot.loaded && !slot.unreadable) return slot.editor != nullptr;
    BuildHiddenParts();  // the editors live on the tab strip
    if (!slot.editor) {
        slot.editor = MakeEditor(slot);
        if (!slot.editor) return false;
    }
    ReadPageFile(index);
    return true;
}

// An empty page written over a file we could not read would destroy it: such a page stays
// unread, read-only, with the reason in view instead of its text, and is never written.
void TTavrikForm::ReadPageFile(int index) {
    PageSlot& slot = PageEditors[static_cast<size_t>(index)];
    const std::wstring base = SaveToFolder + slot.name;
    const std::wstring path = base + kPageExtension;
    pages::GiveOldFileItsExtension(base, path);
    DWORD error = ERROR_SUCCESS;
    std::optional<std::string> bytes;
    const pages::FileProbe probe = pages::ProbeFile(path, error);
    if (probe == pages::FileProbe::File) bytes = pages::ReadWholeFile(path, error);
    const bool triedBefore = slot.loaded;
    slot.loaded = true;
    if (probe == pages::FileProbe::Absent || bytes) {
        if (slot.unreadable) {
            slot.unreadable = false;
            SendMessageW(slot.editor, EM_SETREADONLY, FALSE, 0);
            SendMessageW(slot.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(editor::ResolveColor(slot.entry.color)));
            SetWindowTextW(slot.editor, L"");
        }
        if (bytes) {
            const OneAtATime loading(loadingPage_);  // the file's own text is no change to save
            editor::LoadPageBytes(slot.editor, *bytes, Plain);
        }
        editor::SetCaret(slot.editor, slot.entry.caret > 0 ? slot.entry.caret : 0);
        SendMessageW(slot.editor, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
        return;
    }
    slot.unreadable = true;
    const std::wstring reason = CannotOpenFileText(path, error);
    SendMessageW(slot.editor, EM_SETREADONLY, TRUE, 0);
    SendMessageW(slot.editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
    SetWindowTextW(slot.editor, FormatText(PageText(ui::PageText::UnreadablePage), {reason}).c_str());
    SendMessageW(slot.editor, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
    if (!triedBefore) ShowError(hwnd_, reason);  // once; later tries only renew the text in view
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
    const HWND editor = PageEditors[static_cast<size_t>(index)].editor;
    PlaceEditor(editor);
    ShowWindow(editor, SW_SHOW);
    for (int i = 0; i < PageCount(); ++i) {
        const HWND other = PageEditors[static_cast<size_t>(i)].editor;
        if (i != index && other && IsWindowVisible(other)) ShowWindow(other, SW_HIDE);
    }
}

// Every page that can be written is written, also past one that cannot; the ones that could not
// are named in one message. Their old files are still whole.
bool TTavrikForm::SavePage(int index) {
    if (index >= PageCount()) return false;
    if (index >= 0) {
        const DWORD error = WritePageFile(index);
        if (error != ERROR_SUCCESS) ShowCannotCreateFile(hwnd_, PagePath(index), error);
        return error == ERROR_SUCCESS;
    }
    std::vector<std::pair<std::wstring, DWORD>> failures;
    for (int i = 0; i < PageCount(); ++i)
        if (const DWORD error = WritePageFile(i); error != ERROR_SUCCESS) failures.emplace_back(PagePath(i), error);
    if (!failures.empty()) ShowCannotCreateFiles(hwnd_, failures);
    return failures.empty();
}

DWORD TTavrikForm::WritePageFile(int index, bool alwaysKeepVersion) {
    PageSlot& slot = PageEditors[static_cast<size_t>(index)];
    if (!slot.loaded || !slot.editor || slot.unreadable) return ERROR_SUCCESS;  // its file is as it was
    const bool plain = (SendMessageW(slot.editor, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT) != 0;
    const std::wstring path = PagePath(index);
    const bool emptied = GetWindowTextLengthW(slot.editor) == 0;
    const DWORD error = pages::ReplaceFileContents(
        path, [&](HANDLE file) { return editor::WritePage(slot.editor, file, plain); },
        [&](const std::wstring& newFile) { KeepVersionIfDue(slot, path, newFile, emptied, alwaysKeepVersion); });
    if (error == ERROR_SUCCESS) SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);  // nothing left for autosave
    if (slot.saveFailed != (error != ERROR_SUCCESS)) {
        slot.saveFailed = error != ERROR_SUCCESS;
        ShowSaveState();
    }
    return error;
}

bool TTavrikForm::TabControl1Changing() {
    RECT before{};
    GetWindowRect(hwnd_, &before);
    (void)SavePage(TabIndex());  // a failed save was reported; the change of page goes on
    PrevTabIndex = TabIndex();
    RECT after{};
    GetWindowRect(hwnd_, &after);
    if (!EqualRect(&before, &after))
        SetWindowPos(hwnd_, nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TTavrikForm::TabControl1Change() {
    const int index = TabIndex();
    CurrentPageName = PageName(index);
    if (EnsurePage(index)) {
        const HWND editor = PageEditors[static_cast<size_t>(index)].editor;
        PlaceEditor(editor);
        ShowWindow(editor, SW_SHOW);
        SetFocus(editor);
    }
    if (index != PrevTabIndex && PrevTabIndex >= 0 && PrevTabIndex < PageCount()) {
        const HWND left = PageEditors[static_cast<size_t>(PrevTabIndex)].editor;
        if (left) ShowWindow(left, SW_HIDE);
    }
    SelectionChange();
}

void TTavrikForm::SwitchToPage(int k) {
    PrevTabIndex = TabIndex();
    (void)SavePage(TabIndex());
    SetTabIndexQuietly(k);
    TabControl1Change();
}

bool TTavrikForm::WritePageList() {
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    entries.reserve(PageEditors.size());
    for (int i = 0; i < PageCount(); ++i) entries.emplace_back(PageName(i), ToWide(EncodePageEntry(CurrentEntry(i))));
    return IniFile->Edit([&](settings::IniEdit& edit) {  // the list and its start page in one write
        edit.ReplaceSection(kPagesSection, entries);
        edit.WriteInteger(kParametersSection, L"StartPage", TabIndex());
    });
}

}  // namespace tavrik::app
