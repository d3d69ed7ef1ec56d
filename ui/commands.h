// Every command of the window, and the menus and toolbars built from them: one table that menus,
// buttons and shortcuts share.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::ui {

// Command ids: WM_COMMAND carries them from menus, buttons and accelerators alike.
enum class Cmd : std::uint16_t {
    None = 0,
    // Actions.
    PrevPage = 40001, NextPage, NewPage, DeletePage, SelectAll, Copy, Cut, Paste, Undo, Save, Print, Find,
    Options,
    // Menu items with handlers of their own.
    Open, Close, Exit, Replace, InsObject, ShowMainMenu, StandardToolbar, FormatToolbar, PagesToolbar,
    OptionsToolbar, WordWrap, Font, Background, Russian, English, Help, About, CopyHyperlink, CatchClipboard,
    ShowTavrik, HideTavrik, ShowMenuMenu, RenamePage, Versions, FindAll, GoToPage,
    // Formatting toolbar buttons.
    Bold, Italic, Underline, AlignLeft, AlignCenter, AlignRight, AlignJustify,
    // Submenus carry ids too, so a language switch can find them.
    FileMenu, EditMenu, ViewMenu, ToolbarsMenu, FormatMenu, ServiceMenu, LanguageMenu, HelpMenu,
    // Added later, after the others so their ids stay as they were.
    UnlistedPages,
};

// Packed shortcuts, as the hot key is packed: virtual key, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
inline constexpr int kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

struct Action {
    Cmd cmd;
    std::u16string_view name;      // the action's name; hints are looked up by it
    std::u16string_view category;
    std::u16string_view caption;   // fixed, whatever the language
    int image;                     // -1: none
    int shortcut;                  // 0: none
};
std::span<const Action> Actions();
const Action* FindAction(Cmd cmd);

enum class ItemKind : std::uint8_t { Command, Separator, SubmenuBegin, SubmenuEnd };

// One item of a menu, flat: a submenu's items stand between its begin and end.
struct MenuItem {
    ItemKind kind;
    std::u16string_view name;  // the component; captions are looked up by it
    Cmd cmd = Cmd::None;
    int shortcut = 0;          // shown beside the caption; also a key when the menu bar handles keys
    int image = -1;
    bool check = false;        // a check item (radio items are check items of one group)
    bool alwaysDisabled = false;
};
std::span<const MenuItem> MainMenuItems();
std::span<const MenuItem> EditorMenuItems();  // PopupMenu1: the editor's and the tray's menu
std::span<const MenuItem> TabMenuItems();     // PopupMenu2

// Which items of a menu are shown, given which the configuration leaves visible: a separator only
// between two shown commands, never at the top or bottom and never two in a row.
std::vector<bool> ShownItems(std::span<const MenuItem> items, const std::vector<bool>& visible);

struct ToolbarButton {
    std::u16string_view name;
    Cmd cmd;  // Cmd::None with a width: a box of that many pixels at 100 %
    int image = -1;
    int boxWidthAt96 = 0;
    bool check = false;
    bool radio = false;
};
struct ToolbarDef {
    std::u16string_view name;  // also its section in the settings file
    std::span<const ToolbarButton> buttons;
    bool chevron;
};
std::span<const ToolbarDef> Toolbars();

// "Ctrl+Alt+M": the text shown beside a menu item.
std::u16string ShortcutText(int packed);

}  // namespace tavrik::ui
