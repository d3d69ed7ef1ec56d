// (Win32) Pages not in the list: the page files no page shows, each to be added, opened beside its page or
// sent to the Recycle Bin.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tavrik::pages {

struct UnlistedRow {
    std::wstring file;    // its name in the folder
    std::wstring copyOf;  // the page it is a conflict copy of; empty for none
};

struct UnlistedDialogTexts {
    std::wstring caption, heading, fileColumn, copyOfColumn, add, beside, recycle, close;
};

enum class UnlistedAction { Add, Beside, Recycle };

// A small modal dialog over `owner` listing the rows. Each button acts on the selected row through
// `act` (the row's index in `rows`), which is true when the file is dealt with: its row then leaves
// the list, and the dialog closes with the last one. Enter adds; "beside" is there only for a copy.
void ShowUnlistedPages(HWND owner, const UnlistedDialogTexts& texts, const std::vector<UnlistedRow>& rows,
                       const std::function<bool(size_t row, UnlistedAction action)>& act);

// While set, called with the dialog once it is up (tests drive it from there).
void SetUnlistedPagesHook(std::function<void(HWND dialog)> hook);

// The ids the dialog's controls carry; the add button is IDOK.
inline constexpr WORD kUnlistedListId = 101, kUnlistedBesideId = 102, kUnlistedRecycleId = 103;

}  // namespace tavrik::pages
