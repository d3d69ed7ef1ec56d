// Whether the folder the user typed for the pages can be used, before the disk is asked.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::pages {

enum class FolderTextProblem {
    None,
    Empty,          // nothing, blanks, or the lone "\" an emptied folder field becomes
    Relative,       // "notes", ".\notes", "\notes": it would depend on the current folder or drive
    DriveRelative,  // "C:notes": relative to the current folder of drive C
};

// Accepted: a drive and its root ("C:\..."), or a share ("\\server\share\...").
FolderTextProblem CheckFolderText(std::u16string_view text);

// The text with one trailing backslash, as folders are held.
std::u16string WithTrailingBackslash(std::u16string_view folder);

}  // namespace tavrik::pages
