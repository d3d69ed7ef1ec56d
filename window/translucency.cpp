// (Win32) TTavrikForm::Transparency: the layered-window alpha of the main window.
#include "app/dyn_api.h"
#include "app/tavrik_form.h"

namespace tavrik::app {

void TTavrikForm::Transparency(HWND window, int alpha) {
    using Fn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    static Fn setLayered = nullptr;
    if (!setLayered) setLayered = LookUp<Fn>(L"user32.dll", "SetLayeredWindowAttributes");
    if (!setLayered) return;  // no layered windows on this system
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const bool wasLayered = (exStyle & WS_EX_LAYERED) != 0;
    if (alpha >= 0) {
        if (!wasLayered) SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        // The alpha is one byte: an edited settings file must not wrap 300 round to 44.
        (void)setLayered(window, 0, static_cast<BYTE>(alpha > 255 ? 255 : alpha), LWA_ALPHA);
    } else if (wasLayered) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
    // The system composes a layered window at its new alpha from what is already drawn, Wine as
    // well (the X window's opacity): only a window going into or out of a layer is painted anew.
    // Repainting every child at each alpha made a fade cost seconds.
    const bool layerChanged = wasLayered != (alpha >= 0);
    if (layerChanged && IsWindowVisible(hwnd_))
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace tavrik::app
