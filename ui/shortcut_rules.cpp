// Which key and modifiers make which window-wide shortcut.
#include "ui/shortcut_rules.h"

namespace tavrik::ui {

namespace {

// Windows virtual-key codes; letters are their capitals.
constexpr std::uint32_t kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11,
                        kVkMenu = 0x12, kVkEscape = 0x1B, kVkPrior = 0x21, kVkNext = 0x22,
                        kVkInsert = 0x2D, kVkApps = 0x5D, kVkF2 = 0x71, kVkF4 = 0x73, kVkF10 = 0x79;

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kCtrl{.ctrl = true};
constexpr KeyModifiers kShift{.shift = true};
constexpr KeyModifiers kCtrlShift{.ctrl = true, .shift = true};

struct Rule {
    std::uint32_t key;
    KeyModifiers modifiers;
    Shortcut shortcut;
};

// Exact modifiers make every (key, modifiers) pair match at most one rule, so the order is free.
constexpr Rule kRules[] = {
    {kVkEscape, kNone, Shortcut::Hide},
    {kVkTab, kCtrl, Shortcut::NextPage},
    {kVkNext, kCtrl, Shortcut::NextPage},
    {kVkTab, kCtrlShift, Shortcut::PrevPage},
    {kVkPrior, kCtrl, Shortcut::PrevPage},
    {'D', kCtrl, Shortcut::DateTime},
    {'B', kCtrl, Shortcut::Bold},
    {'I', kCtrl, Shortcut::Italic},
    {'U', kCtrl, Shortcut::Underline},
    {kVkReturn, kNone, Shortcut::AutoIndent},
    // Shift+F10 leaves Shift counted as released after the menu; with the context-menu key it
    // was up already, so one shortcut serves both.
    {kVkF10, kShift, Shortcut::MenuAtCaret},
    {kVkApps, kNone, Shortcut::MenuAtCaret},
    {kVkF4, kNone, Shortcut::ToggleMaximized},
    {'Y', kCtrl, Shortcut::DeleteLine},
    {kVkF2, kNone, Shortcut::RenamePage},
    // The editor's menu with Ctrl added: the page's own menu, as a right click on its tab opens it.
    {kVkF10, kCtrlShift, Shortcut::TabMenu},
    {kVkApps, kCtrl, Shortcut::TabMenu},
};

}  // namespace

Shortcut MatchShortcut(std::uint32_t virtualKey, KeyModifiers modifiers) {
    for (const Rule& rule : kRules)
        if (rule.key == virtualKey && rule.modifiers == modifiers) return rule.shortcut;
    return Shortcut::None;
}

bool IsPasteKey(std::uint32_t virtualKey, KeyModifiers modifiers) {
    return (virtualKey == 'V' && modifiers == kCtrl) || (virtualKey == kVkInsert && modifiers == kShift);
}

KeyModifiers ModifiersFromKeyState(std::span<const std::uint8_t, 256> keyState) {
    // The low bit is the toggle state (as Caps Lock has), not whether the key is held.
    return {.alt = (keyState[kVkMenu] & 0x80) != 0,
            .ctrl = (keyState[kVkControl] & 0x80) != 0,
            .shift = (keyState[kVkShift] & 0x80) != 0};
}

std::u16string DateTimeStamp(std::u16string_view date, std::u16string_view time) {
    std::u16string stamp;
    stamp.reserve(date.size() + time.size() + 2);
    stamp += date;
    stamp += u' ';
    stamp += time;
    stamp += u'\r';  // the rich edit control's own paragraph mark
    return stamp;
}

}  // namespace tavrik::ui
