// (Win32) TTavrikForm's formatting commands: the font boxes and the style and alignment buttons act on the
// current page's selection, and SelectionChange keeps them in step with the caret.
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/font_size.h"
#include "editor/page_editor.h"
#include "ui/commands.h"

#include <richedit.h>

#include <string>
#include <utility>

namespace tavrik::app {
namespace {

CHARFORMAT2W SelectionFormat(HWND editor) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

void SetSelectionFormat(HWND editor, CHARFORMAT2W cf) {
    cf.cbSize = sizeof cf;
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

std::wstring BoxText(HWND box, bool fromList) {
    // A choice from the list is not in the box's text yet when the box tells of it.
    const LRESULT index = fromList ? SendMessageW(box, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (index != CB_ERR) {
        std::wstring text(static_cast<size_t>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0)), L'\0');
        SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        return text;
    }
    return WindowText(box);
}

// The box is rewritten only when it does not read so already: a new text puts the caret at its
// start, and the user's next key would land in front of what was typed.
void ShowInBox(HWND box, const std::wstring& text) {
    if (BoxText(box, false) == text) return;
    SetWindowTextW(box, text.c_str());
    if (IsChild(box, GetFocus())) {
        const auto end = static_cast<WORD>(text.size());
        SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(end, end));  // typing goes on after it
    }
}

}  // namespace

HWND TTavrikForm::CurrentEditor() const {
    const int index = TabIndex();
    return index >= 0 && index < PageCount() ? book_[index].editor : nullptr;
}

void TTavrikForm::SelectionChange() {
    const HWND editor = CurrentEditor();
    if (!editor || !toolbars_.Built()) return;
    menus_->Check(ui::Cmd::WordWrap, book_[TabIndex()].entry.wordWrap);
    const CHARFORMAT2W cf = SelectionFormat(editor);
    const HWND fontBox = toolbars_.FontBox();
    const HWND sizeBox = toolbars_.SizeBox();
    updatingBoxes_ = true;  // the boxes' own change notices must not act on the page
    ShowInBox(fontBox, (cf.dwMask & CFM_FACE) ? cf.szFaceName : L"");
    ShowInBox(sizeBox, (cf.dwMask & CFM_SIZE) ? std::to_wstring(cf.yHeight / 20) : L"");
    updatingBoxes_ = false;
    toolbars_.Check(ui::Cmd::Bold, (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD));
    toolbars_.Check(ui::Cmd::Italic, (cf.dwMask & CFM_ITALIC) && (cf.dwEffects & CFE_ITALIC));
    toolbars_.Check(ui::Cmd::Underline, (cf.dwMask & CFM_UNDERLINE) && (cf.dwEffects & CFE_UNDERLINE));
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    SendMessageW(editor, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    toolbars_.Check(ui::Cmd::AlignLeft, pf.wAlignment == PFA_LEFT);
    toolbars_.Check(ui::Cmd::AlignCenter, pf.wAlignment == PFA_CENTER);
    toolbars_.Check(ui::Cmd::AlignRight, pf.wAlignment == PFA_RIGHT);
    toolbars_.Check(ui::Cmd::AlignJustify, pf.wAlignment == PFA_JUSTIFY);
}

void TTavrikForm::ChangeFontNameActionExecute(bool fromList) {
    const HWND editor = CurrentEditor();
    if (!editor || updatingBoxes_) return;
    const std::wstring face = BoxText(toolbars_.FontBox(), fromList);
    if (!face.empty() && face.size() < LF_FACESIZE) {
        CHARFORMAT2W cf{};
        cf.dwMask = CFM_FACE;
        lstrcpynW(cf.szFaceName, face.c_str(), LF_FACESIZE);
        SetSelectionFormat(editor, cf);
    }
    SelectionChange();
}

void TTavrikForm::FontSizeComboBoxChange(bool fromList) {
    const HWND editor = CurrentEditor();
    if (!editor || updatingBoxes_) return;
    const std::wstring text = BoxText(toolbars_.SizeBox(), fromList);
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return;  // not a number: nothing changes, the text stays for editing
    if (text.empty()) return;
    if (const auto size = editor::FontSizeFromText(ToU16(text))) {
        CHARFORMAT2W cf{};
        cf.dwMask = CFM_SIZE;
        cf.yHeight = *size * 20;
        SetSelectionFormat(editor, cf);
    }
    SelectionChange();  // a refused size gives way to the selection's own
}

// Typing in a box, or stepping through its closed list with the arrows, acts at once and leaves
// the keyboard in the box. A pick from the open list hands it back to the page once the list has
// closed: a box that loses the focus while its list is open closes the list again, as a cancel.
void TTavrikForm::FontBoxNotice(HWND box, WORD code) {
    const bool nameBox = box == toolbars_.FontBox();
    switch (code) {
    case CBN_EDITCHANGE:
    case CBN_SELCHANGE:
    case CBN_SELENDOK:
        if (nameBox) ChangeFontNameActionExecute(code != CBN_EDITCHANGE);
        else FontSizeComboBoxChange(code != CBN_EDITCHANGE);
        if (code == CBN_SELENDOK) boxPicked_ = true;
        return;
    case CBN_DROPDOWN:
        if (nameBox) toolbars_.ListFonts(params.DefaultFontName);
        return;
    case CBN_SELENDCANCEL:
        boxPicked_ = false;
        return;
    case CBN_CLOSEUP:
        if (std::exchange(boxPicked_, false))
            if (const HWND editor = CurrentEditor()) SetFocus(editor);
        return;
    }
}

// Enter ends the typing in a box and Esc gives it up; either way the page takes the keyboard back,
// and the box shows the selection's own font or size again. While the list is open the box takes
// both keys itself: Enter picks, Esc closes the list.
std::optional<bool> TTavrikForm::FontBoxKey(WPARAM key) {
    if (key != VK_RETURN && key != VK_ESCAPE) return std::nullopt;
    const HWND focus = GetFocus();
    HWND box = nullptr;
    for (const HWND candidate : {toolbars_.FontBox(), toolbars_.SizeBox()})
        if (candidate && focus && (focus == candidate || IsChild(candidate, focus))) box = candidate;
    if (!box) return std::nullopt;
    if (SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) return false;
    if (key == VK_RETURN) FontBoxNotice(box, CBN_EDITCHANGE);  // what is typed, once more
    SelectionChange();
    if (const HWND editor = CurrentEditor()) SetFocus(editor);
    return true;
}

void TTavrikForm::ToggleStyle(ui::Cmd button, DWORD mask, DWORD effect) {
    const HWND editor = CurrentEditor();
    if (!editor) return;
    CHARFORMAT2W cf{};
    cf.dwMask = mask;  // only this style; the others stay as they are
    cf.dwEffects = toolbars_.IsChecked(button) ? effect : 0;
    SetSelectionFormat(editor, cf);
    SelectionChange();
}

void TTavrikForm::ToggleBoldActionExecute() { ToggleStyle(ui::Cmd::Bold, CFM_BOLD, CFE_BOLD); }
void TTavrikForm::ToggleItalicActionExecute() { ToggleStyle(ui::Cmd::Italic, CFM_ITALIC, CFE_ITALIC); }
void TTavrikForm::ToggleUnderlineActionExecute() { ToggleStyle(ui::Cmd::Underline, CFM_UNDERLINE, CFE_UNDERLINE); }

void TTavrikForm::Justify(ui::Cmd button, WORD alignment) {
    const HWND editor = CurrentEditor();
    if (!editor) return;
    if (toolbars_.IsChecked(button)) {
        PARAFORMAT2 pf{};
        pf.cbSize = sizeof pf;
        pf.dwMask = PFM_ALIGNMENT;
        pf.wAlignment = alignment;
        SendMessageW(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    }
    SelectionChange();
}

void TTavrikForm::JustifyLeftActionExecute() { Justify(ui::Cmd::AlignLeft, PFA_LEFT); }
void TTavrikForm::JustifyCenterActionExecute() { Justify(ui::Cmd::AlignCenter, PFA_CENTER); }
void TTavrikForm::JustifyRightActionExecute() { Justify(ui::Cmd::AlignRight, PFA_RIGHT); }
void TTavrikForm::JustifyFullButtonClick() { Justify(ui::Cmd::AlignJustify, PFA_JUSTIFY); }

// Word wrap belongs to the page: it is kept in the page's entry.
void TTavrikForm::WordWrapMenuItemClick() {
    const HWND editor = CurrentEditor();
    if (!editor) return;
    PageSlot& page = book_[TabIndex()];
    page.entry.wordWrap = !page.entry.wordWrap;
    editor::SetWordWrap(editor, page.entry.wordWrap);
    menus_->Check(ui::Cmd::WordWrap, page.entry.wordWrap);
}

}  // namespace tavrik::app
