// (Win32) Functions newer than the oldest Windows we run on, looked up when first needed.
#pragma once

#include <windows.h>

#include "app/unique.h"

namespace tavrik::app {

template <typename Fn>
Fn LookUp(const wchar_t* module, const char* name) {
    const HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

// The window's DPI (Windows 10 1607 and later), or the screen's on older systems.
inline UINT WindowDpi(HWND hwnd) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn getDpiForWindow = LookUp<Fn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && hwnd) return getDpiForWindow(hwnd);
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// Whether this process may use paths longer than 260 characters: Windows 10 1607 and later, with
// longPathAware in the manifest and the system's LongPathsEnabled setting both on.
inline bool LongPathsEnabled() {
    using Fn = BOOLEAN(NTAPI*)();
    static const Fn areLongPathsEnabled = LookUp<Fn>(L"ntdll.dll", "RtlAreLongPathsEnabled");
    return areLongPathsEnabled && areLongPathsEnabled();
}

}  // namespace tavrik::app
