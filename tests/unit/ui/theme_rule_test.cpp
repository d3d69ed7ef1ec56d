#include "ui/theme_rule.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

namespace {
constexpr std::uint32_t k1803 = 17134, k1809 = 17763, k1903 = 18362, k11 = 22631;
}  // namespace

TEST(ThemeRule, ChoiceWindowsSettingContrastAndBuild) {
    using C = ThemeChoice;
    struct Case {
        C choice;
        std::optional<std::uint32_t> appsLight;
        bool highContrast;
        std::uint32_t build;
        bool callsFound;
        bool dark, system;
        const char* why;
    };
    const Case cases[] = {
        {C::AsWindows, 0u, false, k11, true, true, true, "Windows dark, all there"},
        {C::AsWindows, 1u, false, k11, true, false, false, "Windows light"},
        {C::AsWindows, std::nullopt, false, k11, true, false, false, "no value: light, as before 1607"},
        {C::AsWindows, 7u, false, k11, true, false, false, "a value other than 0 is not dark"},
        {C::AsWindows, 0u, true, k11, true, false, false, "High Contrast wins"},
        {C::AsWindows, 0u, false, k1803, true, false, false, "too old a build to follow"},
        {C::AsWindows, 0u, false, k1809, true, true, true, "the first build that can"},
        {C::AsWindows, 0u, false, k1903, false, false, false, "calls missing: light, not half dark"},
        {C::AsWindows, 0u, false, 0, true, false, false, "build unknown"},
        {C::Light, 0u, false, k11, true, false, false, "Light whatever Windows says"},
        {C::Light, 1u, true, k11, true, false, false, "Light with High Contrast"},
        {C::Dark, 1u, false, k11, true, true, true, "Dark on a light Windows"},
        {C::Dark, std::nullopt, false, k1803, true, true, false, "Dark on an old build: our own painting only"},
        {C::Dark, 0u, false, k11, false, true, false, "Dark without the calls (Wine)"},
        {C::Dark, 0u, true, k11, true, false, false, "High Contrast wins over Dark too"},
    };
    for (const Case& c : cases) {
        const ThemeDecision d = DecideTheme({c.choice, c.appsLight, c.highContrast, c.build, c.callsFound});
        EXPECT_EQ(d.dark, c.dark) << c.why;
        EXPECT_EQ(d.system, c.system) << c.why;
        EXPECT_TRUE(d.dark || !d.system) << c.why << ": the system dark around light painting";
    }
}

TEST(ThemeRule, StoredValuesOutsideTheListFollowWindows) {
    const std::pair<std::int32_t, ThemeChoice> cases[] = {
        {0, ThemeChoice::AsWindows}, {1, ThemeChoice::Light},     {2, ThemeChoice::Dark},
        {3, ThemeChoice::AsWindows}, {-1, ThemeChoice::AsWindows},
    };
    for (const auto& [stored, choice] : cases) EXPECT_EQ(ThemeChoiceOf(stored), choice) << stored;
}

TEST(ThemeRule, TitleBarAttributeByBuild) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 0}, {k1803, 0}, {k1809, 19}, {k1903, 19}, {18984, 19}, {18985, 20}, {19041, 20}, {k11, 20},
    };
    for (const auto& [build, attribute] : cases) EXPECT_EQ(DarkTitleAttribute(build), attribute) << build;
}
