// (Win32) Dark mode: Windows' setting read, the decision kept for the process, and applied to windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/theme_rule.h"

namespace tavrik::ui {

inline constexpr std::wstring_view kPersonalizeKeyPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Where Windows' setting is read; tests give a key and a build of their own.
struct ThemeSource {
    HKEY root = HKEY_CURRENT_USER;
    std::wstring keyPath = std::wstring(kPersonalizeKeyPath);
    std::optional<std::uint32_t> build;  // the Windows build to assume instead of asking
};

// AppsUseLightTheme under the source's key; nullopt when there is no such value.
std::optional<std::uint32_t> ReadAppsUseLightTheme(const ThemeSource& source);
// The Windows build the source names, or the system's own.
std::uint32_t WindowsBuildOf(const ThemeSource& source);
// Looks at Windows (its setting, High Contrast, its build, the calls) and decides.
ThemeDecision ReadAndDecide(ThemeChoice choice, const ThemeSource& source);

// The decision in force for the whole process. Setting it tells the system's menus at once;
// true when it changed.
ThemeDecision CurrentTheme();
bool SetTheme(const ThemeDecision& decision, std::uint32_t build);

// The colours of our own painting while dark.
struct DarkColors {
    COLORREF back, control, raised, text, grayText, border;
};
inline constexpr DarkColors kDark{RGB(32, 32, 32), RGB(43, 43, 43), RGB(60, 60, 60),
                                  RGB(240, 240, 240), RGB(140, 140, 140), RGB(85, 85, 85)};

// A system colour as our own drawing takes it in the theme in force: while dark, the window, button
// face, text and tooltip colours have dark counterparts; the selection keeps the system's.
COLORREF ThemeColor(int sysColor);
// A brush of that colour for `dc`: while dark, the DC's own brush set to it.
HBRUSH ThemeBrush(HDC dc, int sysColor);

// A brush of the dark window colour; it lives as long as the process.
HBRUSH DarkBackBrush();

// A window follows the theme from now on until it is destroyed: its title bar, its controls'
// themes and colours, the WM_CTLCOLOR* answers of a dialog. Call it when the window is made.
void FollowTheme(HWND window);
// Applies the theme in force to a window and its controls again, as after a change.
void ApplyTheme(HWND window);
// Every window that follows, after a change of the decision.
void ApplyThemeEverywhere();

// The menu bar's background and items where Windows leaves them light (only with the system's
// dark parts), and its ground after WM_NCPAINT while its items are ours: true when handled.
bool MenuBarMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
// Whether the menu bar's items are drawn by us (a skin): then its ground is ours to paint too.
void SetMenuBarItemsOurs(bool ours);
// After the system has drawn the frame (WM_NCACTIVATE): the ground right of the last item, where
// the system would leave it light. Returns `result`.
LRESULT AfterFrameDrawn(HWND window, LRESULT result);

// WM_SETTINGCHANGE's lParam names a change of the colour set (the light or dark setting).
bool IsColorSetChange(LPARAM lp);

}  // namespace tavrik::ui
