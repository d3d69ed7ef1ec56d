// Page files in the save folder that no entry of the page list names, and what each may be: a page
// made elsewhere, or a copy a sync service made of one of ours when two computers changed it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::pages {

// Of the file names in the save folder (names only, no folder), the page files no page lists, in
// the order given. Names are compared as Windows compares them, ignoring letter case. Never one of
// the program's own files: temporary files of saves, anything below the folder, names not ending
// in ".tvk", and names the page list would refuse to hold.
std::vector<std::u16string> UnlistedPageFiles(const std::vector<std::u16string>& fileNames,
                                              const std::vector<std::u16string>& pageNames);

// The page (as `pageNames` spells it) whose conflict copy a file of this name (without ".tvk") is,
// or nullopt. `computerName` is this computer's, which sync services put into the copies they make.
std::optional<std::u16string> ConflictCopyOf(std::u16string_view fileStem, const std::vector<std::u16string>& pageNames,
                                             std::u16string_view computerName = {});

// The date a conflict copy's name carries, as "2026-12-09"; nullopt when it carries none.
std::optional<std::u16string> ConflictDate(std::u16string_view fileStem);

// The name of a conflict copy opened beside its page: "Notes (conflict 2026-12-09)", with `word` in
// the interface language, and " (2)", " (3)" … while a name Windows takes for the same file is in
// `taken`. Without a date, "Notes (conflict)".
std::u16string ConflictPageName(std::u16string_view page, std::u16string_view word, std::u16string_view date,
                                const std::vector<std::u16string>& taken);

// The name a file is listed under: its own when the page rules take it and it is not in `taken`,
// otherwise its name mended (what the rules refuse becomes "_"), numbered until free.
// `folderLength` is the save folder's length, backslash included.
std::u16string PageNameForFile(std::u16string_view fileStem, std::size_t folderLength,
                               const std::vector<std::u16string>& taken);

}  // namespace tavrik::pages
