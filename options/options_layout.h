// (Win32) Where the Options dialog's controls lie, in dialog units, and which text names each.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "app/dialog_template.h"

namespace tavrik::options {

inline constexpr int kOptionsPageCount = 4;
// The font Windows maps to the system's sans serif, scaled crisply at any DPI.
inline constexpr std::wstring_view kOptionsFont = L"MS Shell Dlg";
inline constexpr WORD kOptionsFontPoints = 8;
inline constexpr short kOptionsWidth = 250, kOptionsHeight = 192;  // about 375 x 312 pixels at 96 DPI
inline constexpr short kOptionsPageWidth = 236, kOptionsPageHeight = 148;

struct OptionsControl {
    WORD id;
    int page;                      // 0 to 3
    std::u16string_view component;  // its row in the language table; empty: no text of its own
    bool hint = false;              // the row is its hint rather than its caption
};

std::span<const OptionsControl> OptionsControls();

// The frame: the tab control and the three buttons. A page: its controls, in tab order.
void AddFrameControls(app::DialogTemplate& box);
void AddPageControls(app::DialogTemplate& page, int index);

}  // namespace tavrik::options
