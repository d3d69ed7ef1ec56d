// The theme decision, kept apart from the windows it is applied to.
#include "ui/theme_rule.h"

namespace tavrik::ui {

ThemeChoice ThemeChoiceOf(std::int32_t stored) {
    switch (stored) {
    case 1: return ThemeChoice::Light;
    case 2: return ThemeChoice::Dark;
    default: return ThemeChoice::AsWindows;
    }
}

// High Contrast always wins: its colours are the user's, and ours would fight them. Following
// Windows needs the system to be able to darken what it draws, or the window would be half dark:
// without it we stay light, as we always were. A user who asks for Dark gets our own painting
// dark in any case, and the system's parts where they can follow.
ThemeDecision DecideTheme(const ThemeInputs& in) {
    if (in.highContrast) return {};
    const bool systemCan = in.callsFound && in.build >= kFirstDarkBuild;
    switch (in.choice) {
    case ThemeChoice::Light: return {};
    case ThemeChoice::Dark: return {true, systemCan};
    case ThemeChoice::AsWindows: break;
    }
    const bool windowsDark = in.appsUseLightTheme && *in.appsUseLightTheme == 0;
    if (!windowsDark || !systemCan) return {};
    return {true, true};
}

std::uint32_t DarkTitleAttribute(std::uint32_t build) {
    if (build >= 18985) return 20;
    if (build >= kFirstDarkBuild) return 19;
    return 0;
}

}  // namespace tavrik::ui
