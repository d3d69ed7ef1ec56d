// What the name dialog and the help window say, in both interface languages.
#pragma once

#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class DialogText {
    NameOkButton,      // the name dialog's buttons
    NameCancelButton,
    HelpCaption,       // the help window of the program's own, where Windows has no program for text
    HelpMissing,       // %s: the help file's path
    HelpUnreadable,    // %s: the help file's path, then the reason
};

std::u16string_view DialogTextIn(DialogText which, Language language);

}  // namespace tavrik::ui
