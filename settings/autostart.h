// (Win32) The start-with-Windows value in the per-user Run key.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/unique.h"

namespace tavrik::settings {

inline constexpr std::wstring_view kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::wstring_view kRunValueName = L"Tavrik";

class RunKey {
public:
    // Opens the key with full access, creating it when missing; tests pass a key of their own.
    bool Open(HKEY root, std::wstring_view path);
    bool IsOpen() const { return static_cast<bool>(key_); }
    void Close() { key_.Reset(); }

    // On: the value holds the program's path exactly as given. Off: the value is gone.
    void Apply(bool autoStart, std::wstring_view programPath) const;

private:
    app::UniqueKey key_;
};

}  // namespace tavrik::settings
