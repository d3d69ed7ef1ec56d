// Paths as the shell's file operations take them.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::pages {

// The path without the "\\?\" prefix the shell does not parse: "\\?\C:\x" is "C:\x" and
// "\\?\UNC\server\share\x" is "\\server\share\x". Other paths come back as they are.
std::u16string ShellPath(std::u16string_view path);

}  // namespace tavrik::pages
