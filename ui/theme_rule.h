// Whether the program is dark: the user's choice against Windows' own setting and what the system offers.
#pragma once

#include <cstdint>
#include <optional>

namespace tavrik::ui {

// As tavrik.ini stores it, and in the order the Options list shows it.
enum class ThemeChoice : std::int32_t { AsWindows = 0, Light = 1, Dark = 2 };

// A stored value the program does not know follows Windows, as a file without the key does.
ThemeChoice ThemeChoiceOf(std::int32_t stored);

// The first Windows build whose undocumented dark-mode calls behave as we use them (10, 1809).
inline constexpr std::uint32_t kFirstDarkBuild = 17763;

struct ThemeInputs {
    ThemeChoice choice = ThemeChoice::AsWindows;
    std::optional<std::uint32_t> appsUseLightTheme;  // Windows' value; nullopt when it has none
    bool highContrast = false;
    std::uint32_t build = 0;  // Windows' build number; 0 when unknown
    bool callsFound = false;  // the undocumented calls were found in uxtheme
};

struct ThemeDecision {
    bool dark = false;    // our own painting: bars, tabs, dialogs
    bool system = false;  // what only Windows draws: title bar, menus, scroll bars
};

ThemeDecision DecideTheme(const ThemeInputs& in);

// The window attribute that darkens a title bar on this build (20 from build 18985, 19 before);
// 0 where there is none.
std::uint32_t DarkTitleAttribute(std::uint32_t build);

}  // namespace tavrik::ui
