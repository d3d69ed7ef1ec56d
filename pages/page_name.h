// Which page names may become file names in the save folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::pages {

// CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, in any letter case, also followed by an extension
// or blanks: Windows opens the device instead of a file of that name.
bool IsReservedDeviceName(std::u16string_view name);

// A name read from the settings file is used as a file name only when the file stays directly in
// the save folder: no path separators, no "..", nothing Windows refuses in a file name, and not the
// name of the versions folder.
bool IsSafeStoredPageName(std::u16string_view name);

// Why a name the user gave cannot be a page's name.
enum class NameProblem {
    None,
    IllegalCharacter,  // one of \ / * . " : < > ? (the program's own check, with its own message)
    Empty,
    NotForSettings,    // "=", blanks at either end, or a leading ";" or "[": the settings file would lose it
    NotForFiles,       // a character Windows refuses in file names, or a device name such as CON
    TooLong,           // the page file's path, or its versions' paths, would be longer than Windows allows
    VersionsFolder,    // the name of the folder that keeps the pages' versions, in any letter case
};

// `folderLength` is the length of the save folder's path, backslash included. `longPaths`: the
// system lets this program use paths past 260 characters, so only the page file's own path counts.
NameProblem CheckPageName(std::u16string_view name, std::size_t folderLength, bool longPaths = false);

// Two names Windows would give one file: they differ only in letter case (Latin or Cyrillic).
bool SameFileName(std::u16string_view a, std::u16string_view b);

// The name offered for a new page: the base followed by the smallest number from 1 that gives a
// name no page has.
std::u16string ProposeNewPageName(std::u16string_view base, const std::vector<std::u16string>& existing);

}  // namespace tavrik::pages
