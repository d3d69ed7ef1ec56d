// The main window's size when tavrik.ini names none, for the DPI of its monitor.
#pragma once

#include <cstdint>

namespace tavrik::window {

// A size designed at 100 % (96 DPI) for `dpi`, rounded to the nearest pixel; a DPI of 0 (not
// known) leaves it as it is.
std::int32_t ScaleDefaultSize(std::int32_t at96, unsigned dpi);

}  // namespace tavrik::window
