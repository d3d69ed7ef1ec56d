// The theme option's texts, in both interface languages.
#pragma once

#include <span>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

std::u16string_view ThemeLabelIn(Language language);
// The list's entries, in the order of ThemeChoice.
std::span<const Bilingual> ThemeEntries();

}  // namespace tavrik::ui
