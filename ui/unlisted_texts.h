// What the program says about page files in the folder that the page list does not name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class UnlistedText {
    DialogCaption,
    Heading,          // above the list
    FileColumn,
    CopyOfColumn,     // the page a conflict copy belongs to
    AddButton,        // adds the file as a page at the end of the list
    BesideButton,     // a conflict copy: a page right after the page it copies
    RecycleButton,
    CloseButton,
    ConflictWord,     // in the name of a conflict copy's page: "Notes (conflict 2026-12-09)"
    OpenQuestion,     // New page with such a file's name; %s: the name
    OpenCaption,
    NotRecycled,      // %s: the file
    NotRenamed,       // %s: the file, then the reason
};

std::u16string_view UnlistedTextIn(UnlistedText which, Language language);

// "2 pages in the folder are not in the list", with the plural forms the number takes.
std::u16string UnlistedCountText(std::size_t count, Language language);

}  // namespace tavrik::ui
