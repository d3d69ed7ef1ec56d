// (Win32) The help shown in a window of the program's own, where Windows has no program for text.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavrik::ui {

inline constexpr wchar_t kHelpWindowClass[] = L"TavrikHelp";

// A resizable window owned by `owner` with the text read-only; a second call brings the window
// already open forward with the new caption and text. Null when it could not be made.
HWND ShowHelpWindow(HWND owner, std::wstring_view caption, std::wstring_view text);

}  // namespace tavrik::ui
