// What the program says about page files too large to read.
#pragma once

#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class PageFileText {
    TooLarge,         // %s: the file, then the largest size read, in MB
    FindAllTooLarge,  // in the status of Find in all pages; %s: how many pages
};

std::u16string_view PageFileTextIn(PageFileText which, Language language);

}  // namespace tavrik::ui
