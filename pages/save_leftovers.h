// The temporary files page saves write first, told from every other file by their names, and what
// becomes of one an interrupted save left behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::pages {

// The temporary file a save of `fileName` (the file's name, no folder) writes before it replaces the
// file: "<fileName>.~tvk<pid>_<tick>.tmp", or the nameless "~tvk<pid>_<tick>.tmp" of earlier versions
// when the long name would not fit in a path after a folder of `folderLength` characters.
std::u16string SaveTempName(std::u16string_view fileName, std::size_t folderLength, std::uint32_t pid,
                            std::uint64_t tick);

struct SaveLeftover {
    std::u16string target;  // the file the save was for; empty for the nameless form
};

// Whether `fileName` is one of those temporary names; nothing else is ever taken for one.
std::optional<SaveLeftover> RecogniseSaveLeftover(std::u16string_view fileName);

// The page a file name belongs to: "Notes.tvk" is page "Notes"; other files belong to none.
std::optional<std::u16string> PageOfFile(std::u16string_view fileName);

// Whether `fileName` is a temporary file of the page folder's move: "~tvkmove<pid>_<tick>_<n>.tmp".
bool IsFolderMoveLeftover(std::u16string_view fileName);

// Whether any of `fileNames` is a leftover of either kind: a folder without one need not be swept.
bool AnyLeftover(const std::vector<std::u16string>& fileNames);

// Where a leftover was found and what its name tells of it.
enum class LeftoverKind {
    PageSave,     // in the page folder, named after a page file
    VersionCopy,  // in a page's versions folder, named after the version it was to become
    Nameless,     // of earlier versions, or for a file that is no page
    FolderMove,   // of the move of the page folder: a copy, or a file set aside
};
// The file the leftover was for, as it is now.
enum class TargetNow { Absent, Older, NotOlder, Unreachable };

enum class LeftoverFate {
    Delete,
    BecomeTarget,   // renamed into the place of the file that never came
    KeepAsVersion,  // the save's text, newer than the page file, kept beside it
    Leave,          // looked at again at the next start
};

// `whole`: whether it holds a page whole; nullopt when it could not be read.
LeftoverFate FateOfLeftover(LeftoverKind kind, TargetNow target, std::optional<bool> whole);

// The file a page rescued at the end of a session is kept in: "<page>.tvk", or "<page> (n).tvk"
// for the n-th of that name, the page's name shortened to fit a path after a folder of
// `folderLength` characters.
std::u16string RescueFileName(std::u16string_view page, std::size_t folderLength, int number);

// Whether a leftover holds a page whole: rich pages as a whole document, plain ones any text at all
// (text cut short cannot be told from text that ends there).
bool IsWholePageDocument(std::string_view bytes, bool plain);

}  // namespace tavrik::pages
