// (Win32) TrayIcon: Shell_NotifyIconW for the main window, surviving a restart of Explorer.
#include "window/tray_icon.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/dib.h"
#include "window/icon_mark.h"

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

void TrayIcon::SetIcon(HICON icon) {
    data_.hIcon = icon;
    if (shown_) (void)Shell_NotifyIconW(NIM_MODIFY, &data_);  // the old picture stays at worst
}

bool TrayIcon::Notify(std::wstring_view title, std::wstring_view text) {
    noticeTitle_ = title;
    noticeText_ = text;
    if (!shown_) return false;
    // A copy: the notice must not come again with each later change of the tip or the picture.
    NOTIFYICONDATAW info = data_;
    info.uFlags = NIF_INFO;
    info.dwInfoFlags = NIIF_INFO;
    // The texts were cut to the shell's buffers by whoever made them; cut again rather than overrun.
    info.szInfoTitle[title.copy(info.szInfoTitle, std::size(info.szInfoTitle) - 1)] = L'\0';
    info.szInfo[text.copy(info.szInfo, std::size(info.szInfo) - 1)] = L'\0';
    return Shell_NotifyIconW(NIM_MODIFY, &info) != FALSE;
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

// The icon's own pixels are changed rather than a dot drawn over it with GDI: GDI drawing on a
// 32-bit bitmap leaves its alpha at zero, and the dot would be transparent.
app::UniqueIcon MarkedIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const app::UniqueGdiObject color(info.hbmColor), mask(info.hbmMask);
    BITMAP shape{};
    if (!info.hbmColor || !GetObjectW(info.hbmColor, sizeof shape, &shape) || shape.bmWidth != shape.bmHeight ||
        shape.bmWidth <= 0)
        return {};  // a monochrome icon, or one not square: not one of ours
    const int size = shape.bmWidth;
    const std::size_t count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);

    BITMAPINFO format = app::Dib32Format(size, size);
    const app::WindowDc screen(nullptr);
    std::vector<std::uint32_t> pixels(count), maskPixels(count);
    if (GetDIBits(screen.Get(), info.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS) !=
        size)
        return {};
    std::vector<std::uint8_t> shows(count, 1);
    if (GetDIBits(screen.Get(), info.hbmMask, 0, static_cast<UINT>(size), maskPixels.data(), &format,
                  DIB_RGB_COLORS) == size)
        for (std::size_t i = 0; i < count; ++i) shows[i] = (maskPixels[i] & 0xFFFFFF) == 0 ? 1 : 0;  // black shows
    MarkIconPixels(pixels, size, shows);

    void* bits = nullptr;
    const app::UniqueGdiObject markedColor(app::CreateDib32(screen.Get(), size, size, &bits));
    if (!markedColor || !bits) return {};
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    // The AND mask from the alpha, for whatever still draws through it; rows are whole words.
    const std::size_t stride = (static_cast<std::size_t>(size) + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(stride * static_cast<std::size_t>(size), 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)] >>
                 24) == 0)
                maskBits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    const app::UniqueGdiObject markedMask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    if (!markedMask) return {};
    ICONINFO marked{TRUE, 0, 0, static_cast<HBITMAP>(markedMask.Get()), static_cast<HBITMAP>(markedColor.Get())};
    return app::UniqueIcon(CreateIconIndirect(&marked));  // it copies the bitmaps
}

}  // namespace tavrik::window
