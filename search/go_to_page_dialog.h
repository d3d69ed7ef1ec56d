// (Win32) Go to page: every page in a list that a filter box narrows, one to be shown.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrik::search {

struct GoToPageTexts {
    std::wstring caption, filter, show, close;
};

// A small modal dialog over `owner`; the page picked with Enter, the show button or a double click,
// or nullopt when closed. Typing narrows the list to the names holding the text, in any case and
// any place; the arrows move in the list from the filter box. The current page is in bold.
std::optional<int> ChoosePage(HWND owner, const GoToPageTexts& texts, const std::vector<std::wstring>& names, int current);

// While set, called with the dialog once it is up (tests drive it from there).
void SetGoToPageHook(void (*hook)(HWND dialog));

// The ids the dialog's controls carry.
inline constexpr WORD kGoToPageFilterId = 101, kGoToPageListId = 102;

}  // namespace tavrik::search
