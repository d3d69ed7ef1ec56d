// (Win32) TTavrikForm's Find: a modeless dialog; each Find next searches forward, ignoring case, from
// just after the selection or from the start of the text, and never wraps round.
#include "app/dialogs.h"
#include "app/tavrik_form.h"
#include "ui/dark_mode.h"

#include <commdlg.h>
#include <richedit.h>

namespace tavrik::app {

UINT TTavrikForm::FindMessage() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

void TTavrikForm::FindButtonClick() {
    if (findDialog_) {
        SetFocus(findDialog_);
        return;
    }
    OpenFindDialog(false);
}

// Find's or Replace's modeless dialog over findRequest_, which lives as long as the dialog. The
// common dialogs bring a train of libraries with them: loaded when first opened, not at start.
void TTavrikForm::OpenFindDialog(bool replace) {
    findRequest_ = FINDREPLACEW{};
    findRequest_.lStructSize = sizeof findRequest_;
    findRequest_.hwndOwner = hwnd_;
    // Find searches as it always has: down, any case, within words.
    findRequest_.Flags = replace ? FR_DOWN | FR_HIDEUPDOWN : FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD | FR_HIDEUPDOWN;
    findRequest_.lpstrFindWhat = findText_;
    findRequest_.wFindWhatLen = static_cast<WORD>(std::size(findText_));
    if (replace) {
        findRequest_.lpstrReplaceWith = replaceText_;
        findRequest_.wReplaceWithLen = static_cast<WORD>(std::size(replaceText_));
    }
    using Fn = HWND(WINAPI*)(FINDREPLACEW*);
    static const Fn findText = CommonDialog<Fn>("FindTextW");
    static const Fn replaceText = CommonDialog<Fn>("ReplaceTextW");
    const Fn open = replace ? replaceText : findText;
    findDialog_ = open ? open(&findRequest_) : nullptr;
    ui::FollowTheme(findDialog_);
    if (findDialog_) MyFindShow();
}

// While the dialog is open its keys are its own.
void TTavrikForm::MyFindShow() { DisableKeys(); }

void TTavrikForm::MyFindClose() {
    findDialog_ = nullptr;
    EnableKeys();
}

void TTavrikForm::OnFindMessage(const FINDREPLACEW& request) {
    if (request.Flags & FR_DIALOGTERM) MyFindClose();
    else if (request.lpstrReplaceWith) OnReplaceMessage(request);
    else if (request.Flags & FR_FINDNEXT) FindDialog1Find(request.lpstrFindWhat);
}

bool TTavrikForm::FindDialog1Find(std::wstring_view what) {
    const HWND editor = CurrentEditor();
    if (!editor || what.empty()) return false;
    CHARRANGE selection{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const std::wstring text(what);
    FINDTEXTEXW find{};
    // After the selection, or from the very start when there is none, wherever the caret is.
    find.chrg = {selection.cpMax > selection.cpMin ? selection.cpMax : 0, -1};
    find.lpstrText = text.c_str();
    if (SendMessageW(editor, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)) < 0) return false;
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
    SendMessageW(editor, EM_SCROLLCARET, 0, 0);
    return true;
}

}  // namespace tavrik::app
