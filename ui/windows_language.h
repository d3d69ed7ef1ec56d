// The interface language a first start takes from the language of Windows' own interface.
#pragma once

#include <cstdint>

#include "ui/language_tables.h"

namespace tavrik::ui {

// A LANGID as GetUserDefaultUILanguage gives it: Russian for Russian, Ukrainian and Belarusian
// Windows, whatever the country; English for every other.
Language LanguageForWindowsUi(std::uint16_t langId);

}  // namespace tavrik::ui
