// Columns of the dialogs' list views, sized in dialog units so they follow the font and the DPI.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

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

}  // namespace tavrik::app
