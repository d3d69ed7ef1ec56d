// (Win32) TTavrikForm's global hot key: registered at start-up, toggling the window, changed by "Use now".
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "ui/language_tables.h"
#include "window/hot_key_code.h"

namespace tavrik::app {

bool TTavrikForm::AddHotKey(UINT virtualKey, UINT modifiers) {
    return RegisterHotKey(hwnd_, kHotKeyId, modifiers, virtualKey) != FALSE;
}

bool TTavrikForm::RemoveHotKey() { return UnregisterHotKey(hwnd_, kHotKeyId) != FALSE; }

void TTavrikForm::RegisterStartHotKey() {
    const window::HotKeyParts key = window::UnpackHotKey(params.HotKey);
    hotKeyWorks_ = AddHotKey(key.virtualKey, key.modifiers);
    UpdateTray();  // the tip names the key only when it works
    if (!hotKeyWorks_) {
        const ui::MessageText message = ui::HotKeyInUseMessage();
        (void)ShowMessage(hwnd_, ToWide(message.text), ToWide(message.caption), MB_OK | MB_ICONINFORMATION);
    }
    HotKeyReady = true;  // the tray icon still brings the window up
}

void TTavrikForm::wmHotKey() {
    if (!HotKeyReady) return;  // starting, or the Options dialog is open
    if (WindowShown) {
        FormHide();
    } else {
        ShowTavrik();
        ShowMainWindow();
    }
}

void TTavrikForm::HotKeyMessage(ui::HotKeyNotice notice) const {
    if (const auto message = ui::HotKeyChangeMessage(notice, params.Language))
        (void)ShowMessage(hwnd_, ToWide(message->text), ToWide(message->caption), MB_OK | MB_ICONINFORMATION);
}

// One pass of "Use now": the quiet pass (1) reports only a refused release, the reporting pass (2)
// the outcome. A refused combination takes the old one back at once: the program is never left
// without the hot key the control and tavrik.ini show.
void TTavrikForm::SetNewHotKey(int mode, int& control) {
    HotKeyReady = false;
    if (!RemoveHotKey() && mode == 1) HotKeyMessage(ui::HotKeyNotice::CannotRelease);
    const window::HotKeyParts key = window::UnpackHotKey(control);
    if (!AddHotKey(key.virtualKey, key.modifiers)) {
        const window::HotKeyParts old = window::UnpackHotKey(params.HotKey);
        const bool oldBack = AddHotKey(old.virtualKey, old.modifiers);
        hotKeyWorks_ = oldBack;
        UpdateTray();
        if (mode == 2) {
            HotKeyMessage(ui::HotKeyNotice::InUse);
            control = params.HotKey;
            if (!oldBack) {  // taken by another program meanwhile: say so, as at start-up
                const ui::MessageText message = ui::HotKeyInUseMessage();
                (void)ShowMessage(hwnd_, ToWide(message.text), ToWide(message.caption), MB_OK | MB_ICONINFORMATION);
            }
        }
    } else {
        if (mode == 2) HotKeyMessage(ui::HotKeyNotice::IsSet);
        params.HotKey = control;
        hotKeyWorks_ = true;
        UpdateTray();
        (void)StoreParameters({&settings::Parameters::HotKey});
    }
    HotKeyReady = true;
}

}  // namespace tavrik::app
