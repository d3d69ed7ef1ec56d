// (Win32) The owner of a box or dialog we show: the main window only while it is on screen.
#pragma once

#include <windows.h>

namespace tavrik::app {

// We are often hidden; a box owned by a hidden window gets no taskbar button and is easily lost
// behind other windows, so a box raised then stands alone.
inline HWND VisibleOwner(HWND owner) noexcept { return owner && IsWindowVisible(owner) ? owner : nullptr; }

}  // namespace tavrik::app
