// Messages to the user: one place that shows them, and that tests can listen to instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrik::app {

// The application's title, the caption of its own message boxes; it follows the interface
// language, and is "Таврик" until one is chosen.
std::wstring_view AppTitle();
void SetAppTitle(std::wstring_view title);

// A sink gets every message instead of a message box and returns the button "pressed".
using MessageSink = std::function<int(std::wstring_view text, std::wstring_view caption, UINT flags)>;
void SetMessageSink(MessageSink sink);

int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags);
void ShowError(HWND owner, std::wstring_view text);

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

// The file errors of the program, worded as users of it have always seen them.
void ShowCannotCreateFile(HWND owner, std::wstring_view path, DWORD error);
// Several pages in one box: one "Cannot create file" line for each file not written.
void ShowCannotCreateFiles(HWND owner, const std::vector<std::pair<std::wstring, DWORD>>& failures);
std::wstring CannotOpenFileText(std::wstring_view path, DWORD error);
void ShowCannotOpenFile(HWND owner, std::wstring_view path, DWORD error);
void ShowUnableToWrite(HWND owner, std::wstring_view path);

}  // namespace tavrik::app
