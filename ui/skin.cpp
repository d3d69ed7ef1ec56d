// (Win32) Drawing of menus and toolbars in the Office XP and Windows XP skins.
#include "ui/skin.h"
#include "app/comctl.h"
#include "app/unique.h"
#include "ui/dark_mode.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace tavrik::ui {
namespace {

constexpr COLORREF kCheckedHot = RGB(55, 105, 184);
constexpr COLORREF kSelected = RGB(75, 125, 204);
constexpr COLORREF kBarTop = RGB(201, 216, 239);
constexpr COLORREF kBarBottom = RGB(75, 125, 204);
constexpr COLORREF kPopupTop = RGB(147, 177, 224);
constexpr COLORREF kColumnTop = RGB(165, 190, 229);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The skin's colours are the designed ones at the ends of each gradient, never tints of them.
constexpr COLORREF kPushedBorder = kSelected;

// Dark: the same gradients between greys, the blue of the selection kept.
constexpr COLORREF kDarkBarTop = RGB(70, 70, 70);
constexpr COLORREF kDarkBarBottom = RGB(36, 36, 36);
constexpr COLORREF kDarkPopupTop = RGB(56, 56, 56);
constexpr COLORREF kDarkPopupBottom = RGB(40, 40, 40);
constexpr COLORREF kDarkColumnTop = RGB(70, 70, 70);

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
    const auto blend = [&](int a, int b) { return a + (b - a) * step / steps; };
    return RGB(blend(GetRValue(from), GetRValue(to)), blend(GetGValue(from), GetGValue(to)),
               blend(GetBValue(from), GetBValue(to)));
}

void Fill(HDC dc, const RECT& rc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const RECT& rc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Gradient(HDC dc, const RECT& rc, COLORREF from, COLORREF to, bool topToBottom) {
    TRIVERTEX v[2] = {
        {rc.left, rc.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
         static_cast<COLOR16>(GetBValue(from) << 8), 0},
        {rc.right, rc.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
         static_cast<COLOR16>(GetBValue(to) << 8), 0},
    };
    GRADIENT_RECT r{0, 1};
    GdiGradientFill(dc, v, 2, &r, 1, topToBottom ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

// The colour of a top-to-bottom gradient over the whole menu window at height y.
COLORREF AtHeight(COLORREF top, COLORREF bottom, int y, int height) {
    if (height <= 0) return top;
    return Blend(top, bottom, std::clamp(y, 0, height), height);
}

HFONT MenuFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    static HFONT font = nullptr;
    static UINT fontDpi = 0;
    if (!font || fontDpi != dpi) {
        if (font) DeleteObject(font);
        LOGFONTW lf = metrics.lfMenuFont;
        const int screenDpi = GetDeviceCaps(app::WindowDc(nullptr).Get(), LOGPIXELSY);
        lf.lfHeight = MulDiv(lf.lfHeight, static_cast<int>(dpi), screenDpi > 0 ? screenDpi : 96);
        font = CreateFontIndirectW(&lf);
        fontDpi = dpi;
    }
    return font;
}

}  // namespace

void Skin::SetStyle(int style) {
    if (style >= 0 && style <= 2) type_ = static_cast<SkinType>(style);
    else type_ = SkinType::WindowsXP;
}

SIZE Skin::MeasureMenuItem(HDC dc, const MenuItemView& item) const {
    if (item.separator) return {0, Scale(5)};
    HGDIOBJ old = SelectObject(dc, MenuFont(dpi_));
    SIZE text{}, keys{};
    GetTextExtentPoint32W(dc, item.caption.data(), static_cast<int>(item.caption.size()), &text);
    if (!item.shortcut.empty())
        GetTextExtentPoint32W(dc, item.shortcut.data(), static_cast<int>(item.shortcut.size()), &keys);
    SelectObject(dc, old);
    if (item.topLevel) return {text.cx + Scale(6), text.cy + Scale(4)};
    const int column = imagePixels_ + Scale(8);
    const int height = std::max(imagePixels_ + Scale(6), static_cast<int>(text.cy) + Scale(6));
    // The system adds room for a check mark itself; our own column replaces it.
    return {column + Scale(8) + text.cx + (keys.cx ? Scale(24) + keys.cx : 0) + Scale(8) - GetSystemMetrics(SM_CXMENUCHECK),
            height};
}

void Skin::DrawMenuItem(const DRAWITEMSTRUCT& draw, const MenuItemView& item) const {
    HDC dc = draw.hDC;
    RECT rc = draw.rcItem;
    const bool selected = (draw.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const int column = imagePixels_ + Scale(8);

    const bool dark = dark_;
    if (item.topLevel) {
        Fill(dc, rc, dark ? kDark.back : GetSysColor(COLOR_MENUBAR));
        if (selected && !disabled) {
            Fill(dc, rc, kSelected);
            Frame(dc, rc, kPushedBorder);
        }
    } else {
        RECT window{};
        GetClientRect(WindowFromDC(dc), &window);
        const int height = window.bottom - window.top;
        RECT back = rc;
        RECT strip{rc.left, rc.top, rc.left + column, rc.bottom};
        const COLORREF popupTop = dark ? kDarkPopupTop : kPopupTop, popupEnd = dark ? kDarkPopupBottom : kWhite;
        const COLORREF columnTop = dark ? kDarkColumnTop : kColumnTop;
        if (type_ == SkinType::WindowsXP) {
            // Both run down the whole menu, so each item takes its slice of them.
            Gradient(dc, back, AtHeight(popupTop, popupEnd, rc.top, height), AtHeight(popupTop, popupEnd, rc.bottom, height),
                     true);
            Gradient(dc, strip, AtHeight(columnTop, popupEnd, rc.top, height),
                     AtHeight(columnTop, popupEnd, rc.bottom, height), true);
        } else {
            Fill(dc, back, dark ? kDark.control : GetSysColor(COLOR_MENU));
            Gradient(dc, strip, columnTop, popupEnd, false);
        }
        if (item.separator) {
            RECT line{rc.left + column + Scale(4), (rc.top + rc.bottom) / 2, rc.right, (rc.top + rc.bottom) / 2 + 1};
            Fill(dc, line, dark ? kDark.border : GetSysColor(COLOR_BTNSHADOW));
            return;
        }
        if (selected && !disabled) {
            Fill(dc, rc, item.checked ? kCheckedHot : kSelected);
            Frame(dc, rc, kSelected);
        }
        const int imageTop = rc.top + (rc.bottom - rc.top - imagePixels_) / 2;
        const int imageLeft = rc.left + (column - imagePixels_) / 2;
        if (item.checked) {
            RECT box{imageLeft - Scale(2), imageTop - Scale(2), imageLeft + imagePixels_ + Scale(2),
                     imageTop + imagePixels_ + Scale(2)};
            if (!selected) Fill(dc, box, dark ? kDark.raised : GetSysColor(COLOR_WINDOW));
            Frame(dc, box, kPushedBorder);
            if (item.image < 0) {
                // The system's own check or radio glyph, in the text colour.
                const int glyph = GetSystemMetrics(SM_CXMENUCHECK);
                // The bitmap is made first so that it goes last, when the context no longer holds it.
                const app::UniqueGdiObject bitmap(CreateBitmap(glyph, glyph, 1, 1, nullptr));
                const app::UniqueDc mono(CreateCompatibleDC(dc));
                const app::SavedDc saved(mono.Get());
                SelectObject(mono.Get(), bitmap.Get());
                RECT g{0, 0, glyph, glyph};
                DrawFrameControl(mono.Get(), &g, DFC_MENU, item.radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                // Dark: the glyph lightens the box instead, so it shows light on the dark fill.
                if (dark) BitBlt(dc, box.left + (box.right - box.left - glyph) / 2,
                                 box.top + (box.bottom - box.top - glyph) / 2, glyph, glyph, mono.Get(), 0, 0, MERGEPAINT);
                else BitBlt(dc, box.left + (box.right - box.left - glyph) / 2, box.top + (box.bottom - box.top - glyph) / 2,
                            glyph, glyph, mono.Get(), 0, 0, SRCAND);
            }
        }
        if (item.image >= 0 && images_)
            app::comctl::ImageList_Draw(images_, item.image, dc, imageLeft, imageTop, disabled ? ILD_BLEND50 : ILD_TRANSPARENT);
        rc.left += column + Scale(8);
        rc.right -= Scale(8);
    }

    HGDIOBJ old = SelectObject(dc, MenuFont(dpi_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? (dark ? kDark.grayText : GetSysColor(COLOR_GRAYTEXT))
                     : (selected && !item.topLevel) ? kWhite
                     : dark                          ? kDark.text
                                                    : GetSysColor(COLOR_MENUTEXT));
    const UINT prefix = (draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    DrawTextW(dc, item.caption.data(), static_cast<int>(item.caption.size()), &rc,
              DT_SINGLELINE | DT_VCENTER | prefix | (item.topLevel ? DT_CENTER : DT_LEFT));
    if (!item.shortcut.empty())
        DrawTextW(dc, item.shortcut.data(), static_cast<int>(item.shortcut.size()), &rc,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    SelectObject(dc, old);
}

void Skin::PaintBarBackground(HDC dc, const RECT& rc, bool vertical) const {
    if (dark_) {
        if (type_ == SkinType::WindowsXP) Gradient(dc, rc, kDarkBarTop, kDarkBarBottom, !vertical);
        else Fill(dc, rc, kDark.control);
        return;
    }
    switch (type_) {
    case SkinType::Disabled:
    case SkinType::OfficeXP: Fill(dc, rc, GetSysColor(COLOR_BTNFACE)); break;
    case SkinType::WindowsXP: Gradient(dc, rc, kBarTop, kBarBottom, !vertical); break;
    }
}

LRESULT Skin::ToolbarCustomDraw(NMTBCUSTOMDRAW& draw) const {
    if (!Active() && !dark_) return CDRF_DODEFAULT;
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const UINT state = draw.nmcd.uItemState;
        const bool hot = (state & CDIS_HOT) != 0;
        const bool pushed = (state & CDIS_SELECTED) != 0;
        const bool checked = (state & CDIS_CHECKED) != 0;
        if ((hot || pushed || checked) && !(state & CDIS_DISABLED)) {
            // A checked button at rest stands out on the bar as a framed light square.
            // The system's look while dark has no colours of its own: greys, lighter when pushed.
            const bool plain = !Active();
            const COLORREF fill = plain   ? (pushed || checked ? kDark.border : kDark.raised)
                                  : checked && hot ? kCheckedHot
                                  : hot || pushed ? kSelected
                                  : dark_         ? kDark.raised
                                                  : GetSysColor(COLOR_WINDOW);
            Fill(draw.nmcd.hdc, draw.nmcd.rc, fill);
            Frame(draw.nmcd.hdc, draw.nmcd.rc, plain ? kDark.border : kPushedBorder);
        }
        return TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND | TBCDRF_NOOFFSET;
    }
    }
    return CDRF_DODEFAULT;
}

}  // namespace tavrik::ui
