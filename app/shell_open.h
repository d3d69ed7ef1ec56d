// (Win32) Handing an address or a file to the shell, and a hook through which tests see it instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace tavrik::app {

// When set, it is called instead of the shell.
using ShellOpenHook = std::function<void(HWND owner, std::wstring_view target)>;
void SetShellOpenHook(ShellOpenHook hook);

// Opens the target with its default program; the shell's own failure is not reported.
void ShellOpen(HWND owner, std::wstring_view target);

}  // namespace tavrik::app
