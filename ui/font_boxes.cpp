// (Win32) The formatting bar's font name and size boxes, standing on the two places the bar holds for them.
#include "ui/toolbars.h"
#include "app/comctl.h"

#include <string>

#include "app/dyn_api.h"
#include "app/text.h"
#include "app/unique.h"
#include "ui/dark_mode.h"
#include "ui/font_names.h"

#include <algorithm>
#include <vector>

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
    DescribeFontBoxes();
}

namespace {

constexpr int kTextLeftAt96 = 2;   // where a name starts in its row
constexpr int kTextRightAt96 = 6;  // room after the widest name

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM faces) {
    const bool screenForm = (type & (TRUETYPE_FONTTYPE | RASTER_FONTTYPE)) != 0;
    reinterpret_cast<std::vector<ReportedFace>*>(faces)->push_back(
        {app::ToU16(font->lfFaceName), (type & DEVICE_FONTTYPE) != 0 && !screenForm});
    return 1;
}

// A name in its own face, as high as the list's rows leave room for.
app::UniqueFont FaceFont(const std::wstring& face, int rowHeight) {
    LOGFONTW lf{};
    lf.lfHeight = -(rowHeight - 4);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return app::UniqueFont(CreateFontIndirectW(&lf));
}

std::wstring ItemText(HWND box, LRESULT index) {
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0), 0)), L'\0');
    SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

int ScrollBarWidth(UINT dpi) {
    using Fn = int(WINAPI*)(int, UINT);
    static const Fn forDpi = app::LookUp<Fn>(L"user32.dll", "GetSystemMetricsForDpi");  // Windows 10 1607
    return forDpi ? forDpi(SM_CXVSCROLL, dpi) : GetSystemMetrics(SM_CXVSCROLL);
}

// Wide enough for the widest name drawn in its own face, the scroll bar and the list's frame
// beside it, but never wider than the screen the box is on.
int DroppedWidth(HWND box, UINT dpi) {
    const int rowHeight = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
    const app::WindowDc dc(box);
    int widest = 0;
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const std::wstring name = ItemText(box, i);
        const app::UniqueFont font = FaceFont(name, rowHeight);
        const HGDIOBJ old = SelectObject(dc.Get(), font.Get());
        SIZE size{};
        if (GetTextExtentPoint32W(dc.Get(), name.c_str(), static_cast<int>(name.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
        SelectObject(dc.Get(), old);
    }
    int width = widest + MulDiv(kTextLeftAt96 + kTextRightAt96, static_cast<int>(dpi), 96) + ScrollBarWidth(dpi) +
                2 * GetSystemMetrics(SM_CXBORDER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor))
        width = std::min(width, static_cast<int>(monitor.rcWork.right - monitor.rcWork.left));
    return width;
}

}  // namespace

// The installed fonts are listed when the name box first opens: Windows may hold hundreds. The
// default font of new pages is always among them, and the list is as wide as its names at the
// DPI the box is shown at.
void ToolbarHost::ListFonts(std::u16string_view defaultFace) {
    if (!fontBox_) return;
    if (SendMessageW(fontBox_, CB_GETCOUNT, 0, 0) == 0) {
        std::vector<ReportedFace> reported;
        LOGFONTW all{};
        all.lfCharSet = DEFAULT_CHARSET;
        const app::WindowDc dc(fontBox_);
        EnumFontFamiliesExW(dc.Get(), &all, AddFace, reinterpret_cast<LPARAM>(&reported), 0);
        SendMessageW(fontBox_, WM_SETREDRAW, FALSE, 0);
        for (const std::u16string& name : FontBoxNames(reported, defaultFace))
            SendMessageW(fontBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(app::ToWide(name).c_str()));
        SendMessageW(fontBox_, WM_SETREDRAW, TRUE, 0);
        fontListDpi_ = 0;
    } else if (const auto usable = FontBoxNames({}, defaultFace); !usable.empty()) {
        // A default chosen since the list was made, and not reported then.
        const std::wstring face = app::ToWide(usable.front());
        if (SendMessageW(fontBox_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(face.c_str())) == CB_ERR) {
            SendMessageW(fontBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
            fontListDpi_ = 0;
        }
    }
    const UINT dpi = app::WindowDpi(fontBox_);
    if (dpi == fontListDpi_) return;
    fontListDpi_ = dpi;
    SendMessageW(fontBox_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DroppedWidth(fontBox_, dpi)), 0);
}

// The formatting bar holds the font boxes: it draws each listed font in its own face, and passes
// the boxes' notices to the window.
LRESULT CALLBACK ToolbarHost::FormatBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(data);
    switch (msg) {
    case WM_COMMAND:
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_CTLCOLOREDIT:  // the size box's field, and the lists
    case WM_CTLCOLORLISTBOX:
        if (!ui::CurrentTheme().dark) break;
        SetTextColor(reinterpret_cast<HDC>(wp), ui::ThemeColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wp), ui::ThemeColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(ui::ThemeBrush(reinterpret_cast<HDC>(wp), COLOR_WINDOW));
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        measure.itemHeight = static_cast<UINT>(MulDiv(18, static_cast<int>(app::WindowDpi(hwnd)), 96));
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (draw.CtlType != ODT_COMBOBOX) break;
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &draw.rcItem, ui::ThemeBrush(draw.hDC, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (draw.itemID == static_cast<UINT>(-1)) return TRUE;
        const std::wstring face = ItemText(draw.hwndItem, static_cast<LRESULT>(draw.itemID));
        // In the list a name shows in its own face; in the box it shows in the box's.
        const app::UniqueFont font = (draw.itemState & ODS_COMBOBOXEDIT)
                                         ? app::UniqueFont()
                                         : FaceFont(face, draw.rcItem.bottom - draw.rcItem.top);
        const HGDIOBJ old = font ? SelectObject(draw.hDC, font.Get()) : nullptr;
        SetBkMode(draw.hDC, TRANSPARENT);
        SetTextColor(draw.hDC, ui::ThemeColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = draw.rcItem;
        text.left += MulDiv(kTextLeftAt96, static_cast<int>(app::WindowDpi(hwnd)), 96);
        DrawTextW(draw.hDC, face.c_str(), static_cast<int>(face.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (old) SelectObject(draw.hDC, old);
        return TRUE;
    }
    case WM_NCDESTROY:
        app::comctl::RemoveWindowSubclass(hwnd, FormatBarProc, 0);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace tavrik::ui
