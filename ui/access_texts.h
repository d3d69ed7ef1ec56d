// What a screen reader is told about the parts of the window: the names of parts that show no text
// of their own, and the roles and states of the parts the program draws or lists itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/language_tables.h"

namespace tavrik::ui {

enum class AccessText {
    FontNameBox,
    FontSizeBox,
    TabStrip,
    PressAction,   // what a button does when a reader presses it
    SwitchAction,  // what a tab does
};

std::u16string_view AccessTextIn(AccessText which, Language language);

// A menu caption as a name: the access key's "&" goes, "&&" stays one "&".
std::u16string NameFromCaption(std::u16string_view caption);

// A toolbar is named as the View menu's item that shows it; empty for a bar it does not list.
std::u16string ToolbarName(std::u16string_view bar, Language language);

// The roles and states readers know, with the values the accessibility interfaces give them.
inline constexpr long kRoleToolbar = 0x16, kRoleList = 0x21, kRolePageTab = 0x25, kRolePushButton = 0x2B,
                      kRoleComboBox = 0x2E, kRolePageTabList = 0x3C;
inline constexpr std::uint32_t kStateUnavailable = 0x1, kStateSelected = 0x2, kStateFocused = 0x4,
                               kStatePressed = 0x8, kStateChecked = 0x10, kStateInvisible = 0x8000,
                               kStateFocusable = 0x100000, kStateSelectable = 0x200000;

// What the program knows of one part it draws: a toolbar button, a tab, a chevron.
struct PartFacts {
    bool enabled = true;
    bool checked = false;     // a button held down, such as Bold over bold text
    bool selectable = false;  // a tab
    bool selected = false;
    bool focused = false;
    bool shown = true;        // a button left out for want of room is not
};
std::uint32_t PartState(const PartFacts& facts);

// Children of a window we describe: the parts we draw (ids 1..parts), then its child windows.
enum class ChildKind { Self, Part, Window, None };
struct ChildSlot {
    ChildKind kind = ChildKind::None;
    std::size_t index = 0;  // among the parts or among the child windows
};
ChildSlot SlotOfChild(long childId, std::size_t parts, std::size_t windows);

}  // namespace tavrik::ui
