// (Win32) The Versions dialog: a page's versions in a list, one to be picked.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrik::pages {

struct VersionRow {
    std::wstring time;
    std::wstring size;
    std::wstring text;  // the start of its text
};

struct VersionsDialogTexts {
    std::wstring caption, heading, timeColumn, sizeColumn, textColumn, open, close;
};

// A small modal dialog with the rows, newest first and selected; `heading` above them. The row
// picked with the open button, Enter or a double click, or nullopt when closed. Without rows the
// open button is disabled.
std::optional<size_t> ChooseVersion(HWND owner, const VersionsDialogTexts& texts, const std::vector<VersionRow>& rows);

}  // namespace tavrik::pages
