// (Win32) The system's Open dialog for a file to open as a page. Tests answer in its place.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/language_tables.h"

namespace tavrik::app {

// Text and rich-text files first, then all files; the chosen file's path, or nullopt for a cancel.
std::optional<std::wstring> ChooseOpenFile(HWND owner, ui::Language language);
// The hook, when set, answers instead of the dialog.
void SetOpenFileHook(std::function<std::optional<std::wstring>()> hook);

}  // namespace tavrik::app
