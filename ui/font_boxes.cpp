// (Win32) The formatting bar's font name and size boxes, standing on the two places the bar holds for them.
#include "ui/toolbars.h"
#include "app/comctl.h"

#include <string>

#include "app/dyn_api.h"
#include "app/unique.h"

namespace tavrik::ui {
namespace {

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

}  // namespace

void ToolbarHost::MakeFontBoxes(HWND toolbar, UINT dpi) {
    RECT place{};
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&place));
    const int boxHeight = MulDiv(200, static_cast<int>(dpi), 96);
    fontBox_ = CreateWindowExW(0, WC_COMBOBOXW, L"Arial",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT |
                                   CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                               place.left, place.top, place.right - place.left, boxHeight, toolbar,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    app::comctl::SetWindowSubclass(toolbar, FormatBarProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&place));
    sizeBox_ = CreateWindowExW(0, WC_COMBOBOXW, L"",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                               place.left, place.top, place.right - place.left, boxHeight, toolbar,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int size : kFontSizes)
        SendMessageW(sizeBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(size).c_str()));
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(fontBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(sizeBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextW(fontBox_, L"Arial");
}

namespace {
int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM box) {
    // Vertical faces ("@…") are not for writing across a page.
    if (font->lfFaceName[0] != L'@' &&
        SendMessageW(reinterpret_cast<HWND>(box), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(font->lfFaceName)) == CB_ERR)
        SendMessageW(reinterpret_cast<HWND>(box), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    return 1;
}
}  // namespace

// The formatting bar holds the font boxes: it lists the installed fonts when the name box first
// opens, each drawn in its own face, and passes the boxes' notices to the window.
LRESULT CALLBACK ToolbarHost::FormatBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(data);
    switch (msg) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == self->fontBox_ && HIWORD(wp) == CBN_DROPDOWN &&
            SendMessageW(self->fontBox_, CB_GETCOUNT, 0, 0) == 0) {
            LOGFONTW all{};
            all.lfCharSet = DEFAULT_CHARSET;
            const app::WindowDc dc(hwnd);
            EnumFontFamiliesExW(dc.Get(), &all, AddFace, reinterpret_cast<LPARAM>(self->fontBox_), 0);
        }
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measure.itemHeight = static_cast<UINT>(MulDiv(18, static_cast<int>(app::WindowDpi(hwnd)), 96));
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (draw.CtlType != ODT_COMBOBOX) break;
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (draw.itemID == static_cast<UINT>(-1)) return TRUE;
        std::wstring face(static_cast<size_t>(SendMessageW(draw.hwndItem, CB_GETLBTEXTLEN, draw.itemID, 0)), L'\0');
        SendMessageW(draw.hwndItem, CB_GETLBTEXT, draw.itemID, reinterpret_cast<LPARAM>(face.data()));
        // In the list a name shows in its own face; in the box it shows in the box's.
        LOGFONTW lf{};
        lf.lfHeight = -(draw.rcItem.bottom - draw.rcItem.top - 4);
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        const HFONT font = (draw.itemState & ODS_COMBOBOXEDIT) ? nullptr : CreateFontIndirectW(&lf);
        const HGDIOBJ old = font ? SelectObject(draw.hDC, font) : nullptr;
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = draw.rcItem;
        text.left += 2;
        DrawTextW(draw.hDC, face.c_str(), static_cast<int>(face.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (old) SelectObject(draw.hDC, old);
        if (font) DeleteObject(font);
        return TRUE;
    }
    case WM_NCDESTROY:
        app::comctl::RemoveWindowSubclass(hwnd, FormatBarProc, 0);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace tavrik::ui
