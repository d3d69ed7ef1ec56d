// Which page names may become file names in the save folder.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::pages {

// CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, in any letter case, also followed by an extension
// or blanks: Windows opens the device instead of a file of that name.
bool IsReservedDeviceName(std::u16string_view name);

// The longest name a file system holds in one path component; the page file adds ".tvk" to it.
inline constexpr std::size_t kMaxFileNameLength = 255;

// A name read from the settings file is used as a file name only when the file stays directly in
// the save folder: no path separators, no "..", nothing Windows refuses in a file name, not the
// name of the versions folder, and short enough for a file name with its extension.
bool IsSafeStoredPageName(std::u16string_view name);

// Whether section Pages of the settings file keeps the name as a key, unchanged.
bool FitsSettingsKey(std::u16string_view name);

// A name for a page of an old version that the settings file or a file name cannot hold: what the
// name check would refuse replaced by "_", blanks and a leading ";" or "[" dropped, a device name
// or the versions folder's name followed by "_", then " 2", " 3"… while `taken` says the name is
// used. The result passes CheckPageName, short of the length of the folder.
std::u16string MakeSafePageName(std::u16string_view name, const std::function<bool(std::u16string_view)>& taken);

// A name as tabs, captions, tips and message boxes show it: cut with "…" past `limit` characters,
// so no control is asked to lay out a text of any length.
inline constexpr std::size_t kShownNameLimit = 80;
std::u16string ShownName(std::u16string_view name, std::size_t limit = kShownNameLimit);

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
