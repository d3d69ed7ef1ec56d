// At start-up: the temporary files that saves cut short by a crash or a power cut left in the save folder.
#pragma once

#include <string>
#include <vector>

namespace tavrik::pages {

// A leftover that holds its page whole becomes the page file when the page has none, and a version
// of the page when it is newer than the page file; the leftovers of version copies become their
// versions likewise. Page files are never replaced, and nothing but the program's own temporary
// names is touched. One listing of the folder and one of each versions folder; files are read only
// when there are leftovers. Returns the pages that got a version this way, for the user to hear of.
std::vector<std::wstring> SettleSaveLeftovers(const std::wstring& folder, bool plain);

}  // namespace tavrik::pages
