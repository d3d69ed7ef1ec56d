// (Win32) What the tray icon shows of the program's state: the hot key in its tip, the catching
// mark, and the notice of the first start.
#include "app/res/resource_ids.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "ui/tray_texts.h"
#include "window/hot_key_code.h"

namespace tavrik::app {

HICON TTavrikForm::TrayImage() {
    if (!trayIconImage_) {
        trayIconImage_.Reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVRIK),
                                                           IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                           GetSystemMetrics(SM_CYSMICON), 0)));
        // An icon with no picture is an empty space in the tray nobody can find: Windows' own
        // then (a build without our resources, as the test programs are, gets it too).
        if (!trayIconImage_) trayIconImage_.Reset(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    }
    if (!params.CatchClipboard) return trayIconImage_.Get();
    if (!trayMarkedImage_) trayMarkedImage_ = window::MarkedIcon(trayIconImage_.Get());
    return trayMarkedImage_ ? trayMarkedImage_.Get() : trayIconImage_.Get();  // refused: the tip still says it
}

std::wstring TTavrikForm::HotKeyText() const {
    if (!hotKeyWorks_) return {};
    const std::uint32_t virtualKey = window::UnpackHotKey(params.HotKey).virtualKey;
    std::wstring layoutName;
    if (!window::KnownKeyName(virtualKey)) {
        // Keys whose label depends on the layout (`, ;, [) are named by the keyboard layout.
        wchar_t name[64] = {};
        const auto scanCode = static_cast<LONG>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));  // 9 bits at most
        const int length = scanCode != 0 ? GetKeyNameTextW(scanCode << 16, name, 64) : 0;
        layoutName.assign(name, static_cast<std::size_t>(length > 0 ? length : 0));
    }
    return ToWide(window::HotKeyName(params.HotKey, ToU16(layoutName)));
}

std::wstring TTavrikForm::TrayTipText() const {
    return ToWide(ui::TrayTip(InterfaceLanguage(), ToU16(HotKeyText()), ToU16(stateNotice_), params.CatchClipboard));
}

void TTavrikForm::UpdateTray() {
    trayIcon_.SetTip(TrayTipText());
    if (trayIcon_.Wanted()) trayIcon_.SetIcon(TrayImage());
}

// Windows 11 puts a new icon out of sight, and the window starts hidden: without a word, a first
// start would look as if nothing had happened.
void TTavrikForm::TellFirstStart() {
    if (!firstStart_ || firstStartTold_) return;
    firstStartTold_ = true;
    const ui::TrayNotice notice = ui::FirstStartNotice(InterfaceLanguage(), ToU16(HotKeyText()));
    (void)trayIcon_.Notify(ToWide(notice.title), ToWide(notice.text));  // refused: the icon's tip still tells
}

}  // namespace tavrik::app
