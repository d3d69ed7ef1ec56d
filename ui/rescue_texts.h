// What the program says about saves cut short and pages rescued at the end of a session.
#pragma once

#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class RescueText {
    LeftoverVersions,  // %s: the pages, one a line
    LeftoverCaption,
    RescueOffer,       // %s: the folder, then the pages one a line
    RescueCaption,
};

std::u16string_view RescueTextIn(RescueText which, Language language);

}  // namespace tavrik::ui
