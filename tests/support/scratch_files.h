// Files and folders that tests and benchmarks make for tavrik.exe and clear away after.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tavrik::test {

std::wstring ModuleFolder();  // of the running test program, with its backslash
std::wstring UniqueName();    // unique in this machine's run: process, time and a counter
void RemoveTree(const std::wstring& folder);  // the folder, with its backslash, and all in it
// The one set of file helpers of the tests and benchmarks; the test programs wrap them in checks.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// The whole file, read while others may write, rename or delete it; nullopt when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool PathExists(const std::wstring& path);  // a file or a folder

// This process's environment for a started tavrik.exe: the developer switches taken out and the
// start-with-Windows value sent to `runKey` under HKEY_CURRENT_USER, and the settings of earlier
// versions looked for in "Legacy" beside it.
std::wstring ChildEnvironment(const std::wstring& runKey);

}  // namespace tavrik::test
