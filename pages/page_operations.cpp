// (Win32) TTavrikForm's page commands: new, rename, delete and moving a tab. Tabs, editors, page files and
// the page list change together, or not at all.
#include "app/dialogs.h"
#include "app/dyn_api.h"
#include "app/error_box.h"
#include "app/keys_off.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "pages/page_file_look.h"
#include "pages/page_name.h"
#include "pages/recycle_bin.h"
#include "pages/save_leftovers.h"
#include "pages/page_version_files.h"
#include "ui/accessible_parts.h"
#include "settings/parameters.h"
#include "ui/move_texts.h"
#include "ui/page_texts.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace tavrik::app {
namespace {
const std::wstring kPagesSection(ToWide(settings::kSectionPages));

// The page's versions go to the Recycle Bin after it, to be found beside it there; where the page
// itself did not go there they stay: they are then the only way back to it.
void RecycleVersions(const std::wstring& folder, const std::wstring& name) {
    const std::wstring versions = folder + ToWide(pages::kVersionsFolderName) + L"\\" + name;
    const DWORD attributes = GetFileAttributesW(versions.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        (void)pages::SendToRecycleBin(versions);  // left behind, they harm nobody either
}
}  // namespace

ui::Language TTavrikForm::InterfaceLanguage() const { return ui::LanguageFromSetting(params.Language); }

std::wstring TTavrikForm::PageText(ui::PageText which) const {
    return ToWide(ui::PageTextIn(which, InterfaceLanguage()));
}

std::wstring TTavrikForm::MoveText(ui::MoveText which) const {
    return ToWide(ui::MoveTextIn(which, InterfaceLanguage()));
}

void TTavrikForm::PlainBox(ui::PageText which) const {
    (void)ShowMessage(hwnd_, PageText(which), AppTitle(), MB_OK);
}

// The program's own nine characters first, with their old message; then what the settings file or
// Windows could not hold, each with a message that says why.
bool TTavrikForm::CheckFileName(std::wstring_view name) const {
    const bool longPaths = env_.longPaths ? *env_.longPaths : LongPathsEnabled();
    const pages::NameProblem problem = pages::CheckPageName(ToU16(name), params.SaveTo.size(), longPaths);
    if (problem != pages::NameProblem::None) {
        PlainBox(ui::MessageFor(problem));
        return false;
    }
    if (!IniFile->CanHold(name)) {
        PlainBox(ui::PageText::NameNotForOldSettings);
        return false;
    }
    return true;
}

int TTavrikForm::PageNamed(std::wstring_view name, int except) const {
    for (int i = 0; i < PageCount(); ++i)
        if (i != except && app::SameFileName(PageName(i), name)) return i;
    return -1;
}

void TTavrikForm::SetTabCaption(int index) {
    if (!tabsFilled_) return;
    std::wstring shown = ToWide(pages::ShownName(ToU16(book_[index].name)));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = shown.data();
    SendMessageW(TabControl1, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ui::AnnounceRenamed(TabControl1, index);
}

void TTavrikForm::NewPage1Click() { NewPageNamed(std::nullopt); }

// A name given on the command line is refused as a typed one is, but not asked for again.
void TTavrikForm::NewPageNamed(const std::optional<std::wstring>& given) {
    BuildHiddenParts();
    std::wstring name = given ? *given : ToWide(pages::ProposeNewPageName(
                                             ui::PageTextIn(ui::PageText::NewPageBase, InterfaceLanguage()), PageNamesU16()));
    {
        const KeysOff keysOff(*this, KeysAfter::On);
        if (given && !CheckFileName(name)) return;
        while (!given) {
            const auto typed = AskName(hwnd_, PageText(ui::PageText::NameDialogCaption), name, InterfaceLanguage());
            if (!typed) return;
            name = *typed;
            if (CheckFileName(name)) break;  // a refused name comes back for mending
        }
        // Two names Windows takes for one file are one name; a file already there is never emptied.
        if (PageNamed(name, -1) >= 0 || app::FileExists(PageFileOf(name))) {
            // A file no page lists may become this page, its text kept.
            if (!OfferUnlistedFile(name)) PlainBox(ui::PageText::NameExists);
            return;
        }
    }

    PageSlot slot;
    slot.name = name;
    slot.entry = pages::NewPageEntry(Defaults());  // the defaults' colour and fonts, word wrap on
    slot.editor = MakeEditor(slot);
    if (!slot.editor) return;
    slot.loaded = true;
    book_.Add(std::move(slot));
    const int index = PageCount() - 1;
    if (!SavePage(index)) {
        // Its file could not be made (the message said why): the page never was.
        DestroyWindow(book_[index].editor);
        book_.Remove(index);
        return;
    }
    // Like every change of page, the page left is written; a failure was reported.
    (void)SavePage(TabIndex());
    if (tabsFilled_) InsertTab(index);
    if (const HWND left = CurrentEditor()) ShowWindow(left, SW_HIDE);
    SetTabIndexQuietly(index);
    const HWND editor = book_[index].editor;
    ShowWindow(editor, SW_SHOW);
    SetFocus(editor);
    SelectionChange();
    (void)RewritePageEntry(index);
}

void TTavrikForm::RenamePageMenuClick() {
    const int index = TabIndex();
    if (index < 0) return;
    const std::wstring old = PageName(index);
    const KeysOff keysOff(*this, KeysAfter::On);
    // A refused name comes back for mending, as New page's does, until it passes or is cancelled.
    std::wstring name = old;
    for (;;) {
        const auto typed = AskName(hwnd_, PageText(ui::PageText::NameDialogCaption), name, InterfaceLanguage());
        if (!typed || *typed == old) return;
        name = *typed;
        if (CheckFileName(name) && PageRename(name)) return;
    }
}

bool TTavrikForm::PageRename(std::wstring_view newName) {
    const int index = TabIndex();
    if (index < 0) return false;
    // Another page of the name, in any letter case, would share the file; the page's own name only
    // when it is the very same, so "notes" may become "Notes".
    if (PageNamed(newName, index) >= 0 || PageName(index) == newName) {
        (void)ShowMessage(hwnd_, PageText(ui::PageText::RenameExists), PageText(ui::PageText::RenameCaption),
                          MB_OK | MB_ICONINFORMATION);
        return false;
    }
    // The page is read back from its file below: unless the file holds the page now, the last
    // changes would be lost.
    if (!SavePage(index)) return false;
    PageSlot& slot = book_[index];
    const std::wstring from = PagePath(index);
    const std::wstring to = PageFileOf(newName);
    if (!MoveFileW(from.c_str(), to.c_str())) {
        PlainBox(ui::PageText::CannotRename);
        return false;
    }
    const std::wstring oldName = slot.name;
    // Best effort: versions left under the old name are still there to be found by hand.
    (void)pages::RenameVersions(VersionPlaces(), oldName, newName);
    book_.Rename(index, std::wstring(newName));
    if (slot.editor && !slot.unreadable) {
        DWORD error = ERROR_SUCCESS;
        if (auto bytes = app::ReadWholeFile(to, error)) {
            const int caret = editor::GetCaret(slot.editor);
            editor::LoadPageBytes(slot.editor, *bytes, params.Plain);
            editor::SetCaret(slot.editor, caret);
            SendMessageW(slot.editor, EM_SETMODIFY, FALSE, 0);
        }  // unread, the editor still holds what the file holds
    } else if (slot.unreadable) {
        ReadPageFile(index);  // under its new name the file may be within reach again
    }
    SetTabCaption(index);
    // One write: cut short between two, the list would hold both names or neither.
    const std::wstring value = ToWide(EncodePageEntry(CurrentEntry(index)));
    if (!IniFile->Edit([&](settings::IniEdit& edit) {
            edit.DeleteKey(kPagesSection, oldName);
            edit.WriteString(kPagesSection, slot.name, value);
        }))
        book_.SetListOwed(true);
    return true;
}

void TTavrikForm::DeletePageMenuClick() {
    const std::wstring caption = PageText(ui::PageText::DeleteCaption);
    if (PageCount() <= 1) {
        (void)ShowMessage(hwnd_, PageText(ui::PageText::LastPage), caption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int index = TabIndex();
    const std::wstring name = PageName(index);
    const bool binHere = pages::FolderHasRecycleBin(ToWide(params.SaveTo));
    const std::wstring question = ToWide(ui::DeleteQuestion(ToU16(name), InterfaceLanguage(), binHere));
    if (ShowMessage(hwnd_, question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const std::wstring path = PagePath(index);
    SelectNextPage(true);  // saved on the way out, so what goes to the bin is the latest text
    // To the Recycle Bin, so a delete can be taken back. Where the bin cannot take the file the
    // page is deleted for good only on the user's yes; otherwise it stays, and so does its tab.
    // A drive with no bin at all was named in the question: its yes was that yes already.
    const bool recycled = binHere && (!app::FileExists(path) || pages::SendToRecycleBin(path));
    if (!binHere && app::FileExists(path) && !DeleteFileW(path.c_str())) {
        const DWORD error = GetLastError();
        ShowError(hwnd_, FormatText(MoveText(ui::MoveText::DeleteFailed), {path, SystemErrorText(error)}));
        SwitchToPage(index);
        return;
    }
    if (!recycled && app::FileExists(path)) {
        const std::wstring refused = FormatText(MoveText(ui::MoveText::RecycleRefused), {name});
        const bool forGood = ShowMessage(hwnd_, refused, caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
        if (forGood && !DeleteFileW(path.c_str())) {
            const DWORD error = GetLastError();
            ShowError(hwnd_, FormatText(MoveText(ui::MoveText::DeleteFailed), {path, SystemErrorText(error)}));
        }
        if (app::FileExists(path)) {
            SwitchToPage(index);
            return;
        }
    }
    int current = TabIndex();
    if (const HWND editor = book_[index].editor) DestroyWindow(editor);
    book_.Remove(index);
    if (tabsFilled_) SendMessageW(TabControl1, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (current > index) --current;
    SetTabIndexQuietly(current);
    book_.SetPrevious(current);
    if (!IniFile->DeleteKey(kPagesSection, name)) book_.SetListOwed(true);
    if (recycled) RecycleVersions(ToWide(params.SaveTo), name);
}

int TTavrikForm::TabAt(POINT client) const {
    if (!tabsFilled_) return -1;
    TCHITTESTINFO hit{client, 0};
    return static_cast<int>(SendMessageW(TabControl1, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TTavrikForm::TabControl1MouseDown(UINT button, POINT at) {
    const int tab = TabAt(at);
    if (tab < 0) return;
    if (button == WM_LBUTTONDOWN) {
        drag_ = TabDrag{at, false, true};  // a drag begins once the mouse has gone far enough
    } else if (button == WM_RBUTTONDOWN) {
        SwitchToPage(tab);
    }
}

void TTavrikForm::TabControl1MouseUp(UINT button, POINT) {
    if (button != WM_RBUTTONUP) return;
    POINT screen{};
    GetCursorPos(&screen);
    TrackPopupMenuEx(Menus().Tab(), TPM_RIGHTBUTTON, screen.x, screen.y, hwnd_, nullptr);
}

void TTavrikForm::TabControl1MouseMove(POINT at) {
    if (!drag_.armed || drag_.dragging) return;
    if (std::abs(at.x - drag_.from.x) > GetSystemMetrics(SM_CXDRAG) ||
        std::abs(at.y - drag_.from.y) > GetSystemMetrics(SM_CYDRAG)) {
        drag_.dragging = true;
        SetCapture(TabControl1);
    }
}

bool TTavrikForm::TabControl1DragOver(HWND source) const { return source == TabControl1; }

void TTavrikForm::TabControl1EndDrag(POINT at) {
    const int target = TabAt(at);
    if (target < 0) return;
    const int current = TabIndex();
    if (current != target) {
        book_.SetPrevious(current);
        (void)SavePage(current);
        book_.Move(current, target);
        for (int i = std::min(current, target); i <= std::max(current, target); ++i) SetTabCaption(i);
        SetTabIndexQuietly(target);
        TabControl1Change();
    }
    (void)WritePageList();
}

// Left-button double clicks anywhere: over a tab they rename its page and go no further.
bool TTavrikForm::AppMessage(const MSG& msg) {
    if (msg.message != WM_LBUTTONDBLCLK || !TabControl1 || !IsWindowVisible(TabControl1)) return false;
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(TabControl1, &at);
    if (TabAt(at) < 0) return false;
    RenamePageMenuClick();
    return true;
}

}  // namespace tavrik::app
