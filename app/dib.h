// (Win32) A 32-bit top-down device-independent bitmap whose pixels the caller writes directly.
#pragma once

#include <windows.h>

namespace tavrik::app {

// Its format, also for reading a bitmap's pixels in that shape with GetDIBits.
inline BITMAPINFO Dib32Format(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

inline HBITMAP CreateDib32(HDC dc, int width, int height, void** bits) {
    const BITMAPINFO info = Dib32Format(width, height);
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace tavrik::app
