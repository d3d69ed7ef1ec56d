#include "ui/windows_language.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

TEST(WindowsLanguage, RussianUkrainianAndBelarusianWindowsGetRussian) {
    struct Case {
        std::uint16_t langId;
        Language expected;
    };
    const Case cases[] = {
        {0x0419, Language::Russian},  // Russian (Russia)
        {0x0819, Language::Russian},  // Russian (Moldova): the country does not count
        {0x0422, Language::Russian},  // Ukrainian
        {0x0423, Language::Russian},  // Belarusian
        {0x0409, Language::English},  // English (United States)
        {0x0809, Language::English},  // English (United Kingdom)
        {0x0407, Language::English},  // German
        {0x043F, Language::English},  // Kazakh
        {0x0415, Language::English},  // Polish
        {0x0000, Language::English},  // neutral: nothing known
    };
    for (const Case& c : cases) EXPECT_EQ(LanguageForWindowsUi(c.langId), c.expected) << std::hex << c.langId;
}
