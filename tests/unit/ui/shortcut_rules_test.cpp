#include "ui/shortcut_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

using namespace tavrik::ui;

namespace {

// Windows virtual-key codes.
constexpr std::uint32_t kTab = 0x09, kEnter = 0x0D, kEsc = 0x1B, kPageUp = 0x21, kPageDown = 0x22,
                        kApps = 0x5D, kF4 = 0x73, kF10 = 0x79;

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kCtrl{.ctrl = true};
constexpr KeyModifiers kShift{.shift = true};
constexpr KeyModifiers kAlt{.alt = true};
constexpr KeyModifiers kCtrlShift{.ctrl = true, .shift = true};
constexpr KeyModifiers kCtrlAlt{.alt = true, .ctrl = true};  // also what AltGr sends

}  // namespace

TEST(ShortcutRules, EachKeyWithItsModifiers) {
    EXPECT_EQ(MatchShortcut(kEsc, kNone), Shortcut::Hide);
    EXPECT_EQ(MatchShortcut(kTab, kCtrl), Shortcut::NextPage);
    EXPECT_EQ(MatchShortcut(kPageDown, kCtrl), Shortcut::NextPage);
    EXPECT_EQ(MatchShortcut(kTab, kCtrlShift), Shortcut::PrevPage);
    EXPECT_EQ(MatchShortcut(kPageUp, kCtrl), Shortcut::PrevPage);
    EXPECT_EQ(MatchShortcut('D', kCtrl), Shortcut::DateTime);
    EXPECT_EQ(MatchShortcut('B', kCtrl), Shortcut::Bold);
    EXPECT_EQ(MatchShortcut('I', kCtrl), Shortcut::Italic);
    EXPECT_EQ(MatchShortcut('U', kCtrl), Shortcut::Underline);
    EXPECT_EQ(MatchShortcut(kEnter, kNone), Shortcut::AutoIndent);
    EXPECT_EQ(MatchShortcut(kF10, kShift), Shortcut::MenuAtCaret);
    EXPECT_EQ(MatchShortcut(kApps, kNone), Shortcut::MenuAtCaret);
    EXPECT_EQ(MatchShortcut(kF4, kNone), Shortcut::ToggleMaximized);
    EXPECT_EQ(MatchShortcut('Y', kCtrl), Shortcut::DeleteLine);
}

TEST(ShortcutRules, AnyOtherModifierLeavesTheKeyAlone) {
    EXPECT_EQ(MatchShortcut(kEsc, kShift), Shortcut::None);
    EXPECT_EQ(MatchShortcut(kEsc, kCtrl), Shortcut::None);
    EXPECT_EQ(MatchShortcut(kTab, kNone), Shortcut::None);  // types a tab
    EXPECT_EQ(MatchShortcut(kTab, kCtrlAlt), Shortcut::None);
    EXPECT_EQ(MatchShortcut(kPageUp, kCtrlShift), Shortcut::None);
    EXPECT_EQ(MatchShortcut('D', kCtrlAlt), Shortcut::None);  // AltGr+D types a letter somewhere
    EXPECT_EQ(MatchShortcut(kEnter, kShift), Shortcut::None);
    EXPECT_EQ(MatchShortcut(kF10, kNone), Shortcut::None);  // the menu bar's own key
    EXPECT_EQ(MatchShortcut(kApps, kShift), Shortcut::None);
    EXPECT_EQ(MatchShortcut(kF4, kAlt), Shortcut::None);  // Alt+F4 still closes the window
    EXPECT_EQ(MatchShortcut('N', kCtrl), Shortcut::None);  // a menu item's key
    EXPECT_EQ(MatchShortcut(0x64, kCtrl), Shortcut::None);  // Numpad 4, whose code is a small 'd'
}

TEST(ShortcutRules, ModifiersAreKeysHeldDownNotToggled) {
    std::array<std::uint8_t, 256> state{};
    state[0x11] = 0x80;  // Ctrl
    state[0x10] = 0x81;  // Shift
    state[0x12] = 0x01;  // Alt toggled, not held
    state[0x14] = 0x01;  // Caps Lock on
    EXPECT_EQ(ModifiersFromKeyState(state), kCtrlShift);
}

TEST(ShortcutRules, DateTimeStampEndsInAParagraphMark) {
    EXPECT_EQ(DateTimeStamp(u"21.03.2024", u"14:05:09"), u"21.03.2024 14:05:09\r");
}
