// At start-up: the temporary files that saves cut short by a crash or a power cut left in the save folder.
#pragma once

#include <string>

namespace tavrik::pages {

// A leftover that holds its page whole and is newer than the page file (or the page has no file)
// becomes a version of that page; every other leftover is deleted. Page files are never touched,
// and nothing but the program's own temporary names is. One listing of the folder; files are read
// only when there are leftovers.
void SettleSaveLeftovers(const std::wstring& folder, bool plain);

}  // namespace tavrik::pages
