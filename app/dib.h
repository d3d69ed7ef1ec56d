// (Win32) A 32-bit top-down device-independent bitmap whose pixels the caller writes directly.
#pragma once

#include <windows.h>

namespace tavrik::app {

inline HBITMAP CreateDib32(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace tavrik::app
