// What Replace and File, Open say, in both interface languages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class EditOpenText {
    NotFound,         // %s: what was looked for
    TextFilesFilter,  // the file dialog's first choice of types
    AllFilesFilter,
    FileTooLarge,     // %s: the file, then the limit in MB
};

std::u16string_view EditOpenTextIn(EditOpenText which, Language language);

// "Replaced 3 times." after Replace all.
std::u16string ReplacedCountText(std::size_t count, Language language);

}  // namespace tavrik::ui
