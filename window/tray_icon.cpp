// (Win32) TrayIcon: Shell_NotifyIconW for the main window, surviving a restart of Explorer.
#include "window/tray_icon.h"

#include <iterator>

namespace tavrik::window {

namespace {

constexpr UINT kTrayIconId = 1;  // the window's only icon

}  // namespace

UINT TaskbarCreatedMsg() {
    static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
    return msg;
}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Add(HWND owner, UINT callbackMessage, HICON icon, std::wstring_view tip) {
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    // Version 4 hides the plain tooltip unless asked for it.
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    CopyTip(tip);
    wanted_ = true;
    if (shown_) return Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;  // added twice: update it
    return Place();
}

bool TrayIcon::Place() {
    shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    // A busy shell can time out on NIM_ADD and still add the icon; if so, it answers a modify.
    if (!shown_) shown_ = Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
    if (!shown_) return false;
    // The version is forgotten with every add, so it is set again each time.
    data_.uVersion = NOTIFYICON_VERSION_4;
    (void)Shell_NotifyIconW(NIM_SETVERSION, &data_);  // refused: clicks come in the older form
    return true;
}

void TrayIcon::Remove() {
    if (shown_) (void)Shell_NotifyIconW(NIM_DELETE, &data_);  // refused: the shell has dropped it already
    shown_ = false;
    wanted_ = false;
}

void TrayIcon::SetTip(std::wstring_view tip) {
    CopyTip(tip);
    if (shown_) (void)Shell_NotifyIconW(NIM_MODIFY, &data_);  // tooltip stays stale at worst
}

void TrayIcon::CopyTip(std::wstring_view tip) {
    std::size_t length = tip.copy(data_.szTip, std::size(data_.szTip) - 1);
    // Cut short between the halves of a surrogate pair, the tip would end in a broken character.
    if (length > 0 && length < tip.size() && IS_HIGH_SURROGATE(data_.szTip[length - 1])) --length;
    data_.szTip[length] = L'\0';
}

void TrayIcon::OnTaskbarCreated() {
    if (!wanted_) return;
    shown_ = false;  // the new Explorer knows nothing of the old icon
    (void)Place();   // refused again: the next restart of Explorer tries once more
}

}  // namespace tavrik::window
