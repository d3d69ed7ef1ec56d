// The interface language chosen from Windows' interface language.
#include "ui/windows_language.h"

namespace tavrik::ui {

Language LanguageForWindowsUi(std::uint16_t langId) {
    // The primary language is the low ten bits; the country (the sub-language) does not matter.
    constexpr std::uint16_t kRussian = 0x19, kUkrainian = 0x22, kBelarusian = 0x23;
    const std::uint16_t primary = langId & 0x3FF;
    return primary == kRussian || primary == kUkrainian || primary == kBelarusian ? Language::Russian
                                                                                   : Language::English;
}

}  // namespace tavrik::ui
