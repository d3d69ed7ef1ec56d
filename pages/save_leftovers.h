// The temporary files page saves write first, told from every other file by their names, and what
// becomes of one an interrupted save left behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// Whether a leftover holds a page whole: rich pages as a whole document, plain ones any text at all
// (text cut short cannot be told from text that ends there).
bool IsWholePageDocument(std::string_view bytes, bool plain);

}  // namespace tavrik::pages
