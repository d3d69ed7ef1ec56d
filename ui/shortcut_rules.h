// The keys the window handles itself, whatever control has the focus, before that control sees them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tavrik::ui {

enum class Shortcut : std::uint8_t {
    None,             // not ours: the key goes on to the focused control
    Hide,             // Esc
    NextPage,         // Ctrl+Tab, Ctrl+Page Down
    PrevPage,         // Ctrl+Shift+Tab, Ctrl+Page Up
    DateTime,         // Ctrl+D
    Bold,             // Ctrl+B
    Italic,           // Ctrl+I
    Underline,        // Ctrl+U
    AutoIndent,       // Enter; taken only with AutoTab on and the page's editor focused
    MenuAtCaret,      // Shift+F10, the context-menu key
    ToggleMaximized,  // F4
    DeleteLine,       // Ctrl+Y
    RenamePage,       // F2
    TabMenu,          // Ctrl+Shift+F10, Ctrl+context-menu key: the tab's menu under the current tab
};

struct KeyModifiers {
    bool alt = false;
    bool ctrl = false;
    bool shift = false;
    bool operator==(const KeyModifiers&) const = default;
};

// Each shortcut wants exactly its modifiers: with any other of Alt, Ctrl, Shift down it is None.
Shortcut MatchShortcut(std::uint32_t virtualKey, KeyModifiers modifiers);

// Ctrl+V and Shift+Insert: the keys with which an editor pastes by itself.
bool IsPasteKey(std::uint32_t virtualKey, KeyModifiers modifiers);

// From the 256 bytes GetKeyboardState fills: a key is down when its high bit is set.
KeyModifiers ModifiersFromKeyState(std::span<const std::uint8_t, 256> keyState);

// Ctrl+D's text: the short date, a space, the long time, and CR to start a new paragraph.
std::u16string DateTimeStamp(std::u16string_view date, std::u16string_view time);

}  // namespace tavrik::ui
