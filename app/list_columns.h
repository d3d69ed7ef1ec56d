// (Win32) The list dialogs (a heading over a list view, a row of buttons under it) and their columns,
// sized in dialog units so they follow the font and the DPI.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/dialog_template.h"

namespace tavrik::app {

inline int DialogUnitsToPixels(HWND dialog, int units) {
    RECT rc{0, 0, units, 0};
    MapDialogRect(dialog, &rc);  // follows the dialog's font and DPI
    return rc.right;
}

inline void AddColumn(HWND list, int index, const std::wstring& title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    column.cx = width;
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// The heading and the list in the system's message font; the caller adds its buttons on the row at
// y 143 (height 14) between x 7 and 313. Windows scales the dialog for the monitor's DPI.
inline DialogTemplate ListDialogTemplate(HWND owner, WORD headingId, WORD listId) {
    const auto [face, points] = MessageFont(owner);
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND, 320, 164,
                          face, points);
    dialog.AddItem(kStatic, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 7, 7, 306, 9, headingId, L"");
    dialog.AddItem(WC_LISTVIEWW,
                   WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 7, 19,
                   306, 118, listId);
    return dialog;
}

}  // namespace tavrik::app
