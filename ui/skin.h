// (Win32) The look of menus and toolbars: the system's own, Office XP or Windows XP.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace tavrik::ui {

enum class SkinType { Disabled = 0, OfficeXP = 1, WindowsXP = 2 };

// What a menu item shows, for drawing.
struct MenuItemView {
    std::wstring_view caption;
    std::wstring_view shortcut;
    int image = -1;
    bool separator = false;
    bool topLevel = false;  // an item of the menu bar itself
    bool checked = false;
    bool radio = false;
};

class Skin {
public:
    // 0, 1 and 2 choose a skin; any other value keeps Windows XP.
    void SetStyle(int style);
    SkinType Type() const { return type_; }
    bool Active() const { return type_ != SkinType::Disabled; }
    void SetImages(HIMAGELIST images, int imagePixels) { images_ = images; imagePixels_ = imagePixels; }
    void SetDpi(UINT dpi) { dpi_ = dpi; }
    // Dark: the same looks in dark colours; every look, the system's own too, paints its bars then.
    void SetDark(bool dark) { dark_ = dark; }
    bool Dark() const { return dark_; }
    bool PaintsBars() const { return Active() || dark_; }

    SIZE MeasureMenuItem(HDC dc, const MenuItemView& item) const;
    void DrawMenuItem(const DRAWITEMSTRUCT& draw, const MenuItemView& item) const;
    // The background of a dock and of the toolbars on it.
    void PaintBarBackground(HDC dc, const RECT& rc, bool vertical) const;
    // A toolbar's custom-draw notice: hot, pushed and checked buttons in the skin's colours.
    LRESULT ToolbarCustomDraw(NMTBCUSTOMDRAW& draw) const;

private:
    int Scale(int at96) const { return MulDiv(at96, static_cast<int>(dpi_), 96); }

    SkinType type_ = SkinType::WindowsXP;
    HIMAGELIST images_ = nullptr;
    int imagePixels_ = 16;
    UINT dpi_ = 96;
    bool dark_ = false;
};

}  // namespace tavrik::ui
