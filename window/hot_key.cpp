// TTavrikForm::AddHotKey, RemoveHotKey, wmHotKey: the global hot key.
#include "app/messages.h"
#include "app/tavrik_form.h"

namespace tavrik::app {

bool TTavrikForm::AddHotKey(UINT virtualKey, UINT modifiers) {
    hotKeyRegistered_ = RegisterHotKey(hwnd_, kHotKeyId, modifiers, virtualKey) != FALSE;
    return hotKeyRegistered_;
}

void TTavrikForm::RemoveHotKey() {
    if (hotKeyRegistered_) (void)UnregisterHotKey(hwnd_, kHotKeyId);  // gone with the window anyway
    hotKeyRegistered_ = false;
}

void TTavrikForm::wmHotKey() {
    if (!HotKeyReady) return;  // still starting
    // Showing and hiding arrive with the tray; until then the key brings the window up.
    if (!IsWindowVisible(hwnd_)) {
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        SetForegroundWindow(hwnd_);
    }
}

}  // namespace tavrik::app
