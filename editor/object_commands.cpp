// (Win32) TTavrikForm's font and background dialogs, embedded objects and the editor's right click.
#include "app/dialogs.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "editor/rich_ole.h"
#include "settings/parameters.h"

#include <richedit.h>

namespace tavrik::app {

void TTavrikForm::FontMenuClick() {
    const HWND editor = CurrentEditor();
    if (!editor) return;
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    editor::CharFormat preset;
    preset.face = (cf.dwMask & CFM_FACE) ? cf.szFaceName : L"";
    preset.sizePoints = (cf.dwMask & CFM_SIZE) ? cf.yHeight / 20 : 0;
    preset.color = static_cast<std::int32_t>((cf.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor);
    preset.style = ((cf.dwEffects & CFE_BOLD) ? 1 : 0) | ((cf.dwEffects & CFE_ITALIC) ? 2 : 0) |
                   ((cf.dwEffects & CFE_UNDERLINE) ? 4 : 0) | ((cf.dwEffects & CFE_STRIKEOUT) ? 8 : 0);
    if (const auto chosen = ChooseFontFor(hwnd_, preset)) {
        CHARFORMAT2W apply{};
        apply.cbSize = sizeof apply;
        apply.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
        if (!chosen->face.empty() && chosen->face.size() < LF_FACESIZE) {
            apply.dwMask |= CFM_FACE;
            lstrcpynW(apply.szFaceName, chosen->face.c_str(), LF_FACESIZE);
        }
        if (chosen->sizePoints > 0) {
            apply.dwMask |= CFM_SIZE;
            apply.yHeight = chosen->sizePoints * 20;
        }
        apply.dwEffects = ((chosen->style & 1) ? CFE_BOLD : 0) | ((chosen->style & 2) ? CFE_ITALIC : 0) |
                          ((chosen->style & 4) ? CFE_UNDERLINE : 0) | ((chosen->style & 8) ? CFE_STRIKEOUT : 0);
        apply.crTextColor = static_cast<COLORREF>(chosen->color);
        SendMessageW(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&apply));
    }
    SelectionChange();
}

// A write that fails is tried again, with the whole list, at the next save.
bool TTavrikForm::RewritePageEntry(int index) {
    const bool written =
        IniFile->WriteString(ToWide(settings::kSectionPages), PageName(index), ToWide(EncodePageEntry(CurrentEntry(index))));
    if (!written) book_.SetListOwed(true);
    return written;
}

void TTavrikForm::InsObjectMenuItemClick() {
    if (const HWND editor = CurrentEditor()) {
        (void)editor::InsertObjectFromDialog(hwnd_, editor);
        SetFocus(editor);
    }
}

// A right click on one object alone opens its properties; anywhere else the editor's menu.
void TTavrikForm::RichEditMouseUp(HWND editor, POINT screen) {
    if (editor::SelectionIsOneObject(editor)) editor::ShowObjectProperties(hwnd_, editor);
    else ShowEditorMenu(screen);
}

}  // namespace tavrik::app
