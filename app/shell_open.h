// (Win32) Handing an address or a file to the shell, and a hook through which tests see it instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace tavrik::app {

// When set, it is called instead of the shell and answers whether the target was opened.
using ShellOpenHook = std::function<bool(HWND owner, std::wstring_view target)>;
void SetShellOpenHook(ShellOpenHook hook);

// Opens the target with its default program; the shell's own failure is not reported.
void ShellOpen(HWND owner, std::wstring_view target);

// Opens a file with its default program, without the shell's error boxes or its "Open with"
// dialog; false when no program takes it (ERROR_NO_ASSOCIATION) or it could not be started.
bool ShellOpenQuietly(HWND owner, std::wstring_view target);

}  // namespace tavrik::app
