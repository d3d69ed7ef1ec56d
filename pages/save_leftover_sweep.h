// At start-up: the temporary files that saves cut short by a crash or a power cut left in the save folder.
#pragma once

#include <string>
#include <vector>

namespace tavrik::pages {

// A leftover that holds its page whole becomes the page file when the page has none, and a version
// of the page when it is newer than the page file. Page files are never replaced, and nothing but
// the program's own temporary names is touched. One listing of the folder; files are read only when
// there are leftovers. Returns the pages that got a version this way, for the user to hear of.
std::vector<std::wstring> SettleSaveLeftovers(const std::wstring& folder, bool plain);

// The leftovers of version copies in one page's versions folder (with its backslash) become their
// versions when whole. Not at start-up, where a listing of every page's folder would cost each
// start: whenever the page's versions are next kept or listed.
void SettleVersionCopyLeftovers(const std::wstring& pageVersionsFolder, const std::wstring& page, bool plain);

}  // namespace tavrik::pages
