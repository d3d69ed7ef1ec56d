// (Win32) Messages to the user: one place that shows them, and that tests can listen to instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/language_tables.h"

namespace tavrik::app {

// The application's title, the caption of its own message boxes; it follows the interface
// language, and is "Таврик" until one is chosen.
std::wstring_view AppTitle();
void SetAppTitle(std::wstring_view title);
// The language of the messages the program words itself, and of the system's reasons where
// Windows has them in it.
void SetMessageLanguage(ui::Language language);

// A sink gets every message instead of a message box and returns the button "pressed".
using MessageSink = std::function<int(std::wstring_view text, std::wstring_view caption, UINT flags)>;
void SetMessageSink(MessageSink sink);

// A box with no visible owner (the window is hidden) stays on top and has a taskbar button of its
// own, so it is never lost behind other windows.
int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags);
void ShowError(HWND owner, std::wstring_view text);
// The hot key or the tray icon was used while one of the program's boxes or dialogs waits for an
// answer: that window comes to the front and flashes. False when none is open.
bool BringOpenBoxForward();

// The system's text for an error code, in the interface language when Windows has it, without the
// trailing line break.
std::wstring SystemErrorText(DWORD error);

// The file errors of the program, worded as users of it have always seen them.
void ShowCannotCreateFile(HWND owner, std::wstring_view path, DWORD error);
// Several pages in one box: one "Cannot create file" line for each file not written.
void ShowCannotCreateFiles(HWND owner, const std::vector<std::pair<std::wstring, DWORD>>& failures);
std::wstring CannotOpenFileText(std::wstring_view path, DWORD error);
void ShowCannotOpenFile(HWND owner, std::wstring_view path, DWORD error);
void ShowUnableToWrite(HWND owner, std::wstring_view path, DWORD error);
// A file rewritten in place that may now be damaged: the settings as they were are in `backup`.
void ShowUnableToWriteKeptIn(HWND owner, std::wstring_view path, DWORD error, std::wstring_view backup);

}  // namespace tavrik::app
