// (Win32) Bridges between the portable code's UTF-16 strings and the Windows API's wide strings.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrik::app {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string ToU16(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// "%s" in a message pattern replaced by the arguments in order; the messages are the program's own.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// A window's or control's text, as long as it is.
std::wstring WindowText(HWND window);

}  // namespace tavrik::app
