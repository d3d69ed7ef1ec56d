// What the program says when an earlier version of a page cannot be kept.
#pragma once

#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class VersionText {
    NotKept,        // %s: the page, the user's folder of versions, the reason; the page was saved
    SaveRefused,    // %s: the page, the user's folder of versions, the reason; the page was not saved
    NotKeptNotice,  // %s: the pages; in the caption and the tray tip
};

std::u16string_view VersionTextIn(VersionText which, Language language);

}  // namespace tavrik::ui
