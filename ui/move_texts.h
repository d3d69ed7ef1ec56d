// What the program says when a page goes to the Recycle Bin and when the pages move to another folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class MoveText {
    RecycleRefused,     // %s: the page; Yes deletes its file for good, No keeps the page
    DeleteFailed,       // %s: the file, then the reason
    SameNamesQuestion,  // %s: one line a page (SameNameLine); Yes, No or Cancel
    NotMovedCaption,
    NotMoved,           // %s: one line a file, each with its reason; nothing moved
};

std::u16string_view MoveTextIn(MoveText which, Language language);

// A file's size and its last write in local time, as the same-names question shows them.
struct FileFacts {
    bool present = false;  // false: the page has no file yet
    std::uint64_t size = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "Notes: this copy 2026-12-09 14:03, 1 234 bytes; in the new folder 2026-12-10 09:15, 80 bytes, newer"
std::u16string SameNameLine(std::u16string_view page, const FileFacts& ours, const FileFacts& theirs,
                            Language language);

}  // namespace tavrik::ui
