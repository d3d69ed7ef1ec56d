// (Win32) A start with a command: what it does before, or instead of, a window of its own.
#pragma once

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/tavrik_form.h"

namespace tavrik::app {

// The command line of this process, read; the program's own name is left out.
ParsedCommand ReadOwnCommandLine();

// Boxes without a window, in the language tavrik.ini names (Windows' own when there is none yet).
void ShowCommandLineError(const AppEnvironment& env, const CommandLineError& error);
void ShowCommandLineHelp(const AppEnvironment& env);

// The page folder as the program uses it, to `file` in UTF-16LE with its byte order mark and no
// line break, for an uninstaller to read. False when it could not be written.
bool WritePageFolder(const AppEnvironment& env, const std::wstring& file);

// Start with Windows on or off through the settings file and the Run value, as the Options dialog
// sets it, for a program that is not running. False when tavrik.ini refused the write (said).
bool SetAutoStartAlone(const AppEnvironment& env, bool on);

// Sends the command to the running copy's window and waits until it is taken. False when that
// window refused it or did not answer.
bool PassToRunningCopy(HWND running, const Command& command);

}  // namespace tavrik::app
