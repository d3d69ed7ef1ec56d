// The tables of actions, menus and toolbars.
#include "ui/commands.h"

#include <array>

namespace tavrik::ui {
namespace {

constexpr int kVkEscape = 0x1B, kVkF1 = 0x70, kVkF2 = 0x71;
constexpr int Key(char letter) { return letter; }

constexpr std::array kActions{
    Action{Cmd::PrevPage, u"PrevPageAction", u"Pages", u"PrevPage", 1, 0},
    Action{Cmd::NextPage, u"NextPageAction", u"Pages", u"NextPage", 6, 0},
    Action{Cmd::NewPage, u"NewPageAction", u"Pages", u"NewPage", 7, kCtrl | Key('N')},
    Action{Cmd::DeletePage, u"DeletePageAction", u"Pages", u"DeletePage", 4, 0},
    Action{Cmd::SelectAll, u"SelectAllAction", u"Editor", u"SelectAll", -1, 0},
    Action{Cmd::Copy, u"CopyAction", u"Editor", u"Copy", 2, 0},
    Action{Cmd::Cut, u"CutAction", u"Editor", u"Cut", 3, 0},
    Action{Cmd::Paste, u"PasteAction", u"Editor", u"Paste", 9, 0},
    Action{Cmd::Undo, u"UndoAction", u"Editor", u"Undo", 16, 0},
    Action{Cmd::Save, u"SaveAction", u"Editor", u"Save", 14, kCtrl | Key('S')},
    Action{Cmd::Print, u"PrintAction", u"Editor", u"Print", 10, 0},
    Action{Cmd::Find, u"FindAction", u"Editor", u"Find", 11, 0},
    Action{Cmd::FindAll, u"FindAllAction", u"Editor", u"FindAll", 8, 0},
    Action{Cmd::GoToPage, u"GoToPageAction", u"Pages", u"GoToPage", 5, 0},
    Action{Cmd::Options, u"OptionsAction", u"Others", u"Options", 12, kCtrl | kAlt | Key('O')},
};

using K = ItemKind;
constexpr MenuItem Sep{K::Separator, u""};
constexpr MenuItem End{K::SubmenuEnd, u""};

constexpr std::array kMainMenu{
    MenuItem{K::SubmenuBegin, u"FileSubMenu", Cmd::FileMenu},
    MenuItem{K::Command, u"CreateSubMenu", Cmd::NewPage},
    MenuItem{K::Command, u"GoToPageSubMenu", Cmd::GoToPage, kCtrl | Key('G'), 5},
    MenuItem{K::Command, u"OpenSubMenu", Cmd::Open, kCtrl | Key('O'), 17},
    MenuItem{K::Command, u"CloseSubMenu", Cmd::Close, 0, -1, false, true},
    Sep,
    MenuItem{K::Command, u"SaveAsSubMenu", Cmd::Save},
    MenuItem{K::Command, u"PrintSubMenu", Cmd::Print, kCtrl | Key('P')},
    MenuItem{K::Command, u"VersionsSubMenu", Cmd::Versions},
    MenuItem{K::Command, u"UnlistedPagesSubMenu", Cmd::UnlistedPages},
    Sep,
    MenuItem{K::Command, u"ExitSubMenu", Cmd::Exit},
    End,
    MenuItem{K::SubmenuBegin, u"EditSubMenu", Cmd::EditMenu},
    MenuItem{K::Command, u"UndoMenuItem", Cmd::Undo, kCtrl | Key('Z')},
    Sep,
    MenuItem{K::Command, u"CutMenuItem", Cmd::Cut, kCtrl | Key('X')},
    MenuItem{K::Command, u"CopyMenuItem", Cmd::Copy, kCtrl | Key('C')},
    MenuItem{K::Command, u"PasteMenuItem", Cmd::Paste, kCtrl | Key('V')},
    Sep,
    MenuItem{K::Command, u"SelAllMenuItem", Cmd::SelectAll, kCtrl | Key('A')},
    Sep,
    MenuItem{K::Command, u"FindMenuItem", Cmd::Find, kCtrl | Key('F'), 26},
    MenuItem{K::Command, u"FindAllMenuItem", Cmd::FindAll, kCtrl | kShift | Key('F'), 8},
    MenuItem{K::Command, u"ReplaceMenuItem", Cmd::Replace, kCtrl | Key('H')},
    MenuItem{K::Command, u"InsObjectMenuItem", Cmd::InsObject},
    End,
    MenuItem{K::SubmenuBegin, u"ViewSubMenu", Cmd::ViewMenu},
    MenuItem{K::Command, u"MainMenuItem", Cmd::ShowMainMenu, kCtrl | kAlt | Key('M'), -1, true},
    MenuItem{K::SubmenuBegin, u"ToolbarsMenuItem", Cmd::ToolbarsMenu},
    MenuItem{K::Command, u"StandardToolbarMenuItem", Cmd::StandardToolbar, 0, -1, true},
    MenuItem{K::Command, u"FormatToolbarMenuItem", Cmd::FormatToolbar, 0, -1, true},
    MenuItem{K::Command, u"PagesToolbarMenuItem", Cmd::PagesToolbar, 0, -1, true},
    MenuItem{K::Command, u"OptionsToolbarMenuItem", Cmd::OptionsToolbar, 0, -1, true},
    End,
    Sep,
    MenuItem{K::Command, u"WordWrapMenuItem", Cmd::WordWrap, kCtrl | Key('W'), -1, true},
    End,
    MenuItem{K::SubmenuBegin, u"FormatSubMenu", Cmd::FormatMenu},
    MenuItem{K::Command, u"FontMenuItem", Cmd::Font, kCtrl | kAlt | Key('F'), 25},
    Sep,
    MenuItem{K::Command, u"BackgroundMenuItem", Cmd::Background, 0, 0},
    End,
    MenuItem{K::SubmenuBegin, u"OptionsSubMenu", Cmd::ServiceMenu},
    MenuItem{K::SubmenuBegin, u"LanguageMenuItem", Cmd::LanguageMenu},
    MenuItem{K::Command, u"RussianLangMenuItem", Cmd::Russian, 0, -1, true},
    MenuItem{K::Command, u"EnglishLangMenuItem", Cmd::English, 0, -1, true},
    End,
    Sep,
    MenuItem{K::Command, u"OptionsMenuItem", Cmd::Options, 0, 28},
    End,
    MenuItem{K::SubmenuBegin, u"HelpSubMenu", Cmd::HelpMenu},
    MenuItem{K::Command, u"HelpMenuItem", Cmd::Help, kVkF1, 27},
    Sep,
    MenuItem{K::Command, u"AboutMenuItem", Cmd::About},
    End,
};

constexpr std::array kEditorMenu{
    MenuItem{K::Command, u"CopyHiperlinkMenu", Cmd::CopyHyperlink},
    MenuItem{K::Separator, u"CopyHiperLinkDelimiter"},
    MenuItem{K::Command, u"UndoMenu", Cmd::Undo, kCtrl | Key('Z')},
    MenuItem{K::Command, u"CutMenu", Cmd::Cut, kCtrl | Key('X')},
    MenuItem{K::Command, u"CopyMenu", Cmd::Copy, kCtrl | Key('C')},
    MenuItem{K::Command, u"PasteMenu", Cmd::Paste, kCtrl | Key('V')},
    MenuItem{K::Command, u"SelectAllMenu", Cmd::SelectAll, kCtrl | Key('A')},
    Sep,
    MenuItem{K::Command, u"FindMenu", Cmd::Find, kCtrl | Key('F'), 26},
    MenuItem{K::Command, u"FontMenu", Cmd::Font, kCtrl | kAlt | Key('F')},
    Sep,
    MenuItem{K::Command, u"CatchClipboard", Cmd::CatchClipboard, 0, -1, true},
    MenuItem{K::Command, u"ShowMenu", Cmd::ShowTavrik},
    MenuItem{K::Command, u"HideMenu", Cmd::HideTavrik, kVkEscape},
    Sep,
    MenuItem{K::Command, u"ShowMenuMenu", Cmd::ShowMenuMenu, 0, -1, true},
    Sep,
    MenuItem{K::Command, u"ExitMenu", Cmd::Exit},
};

// The keys shown here are handled by the accelerators (Ctrl+N) and the window's shortcuts (F2).
constexpr std::array kTabMenu{
    MenuItem{K::Command, u"NewPageMenu", Cmd::NewPage, kCtrl | Key('N')},
    MenuItem{K::Command, u"DeletePageMenu", Cmd::DeletePage},
    MenuItem{K::Command, u"RenamePageMenu", Cmd::RenamePage, kVkF2},
    MenuItem{K::Command, u"VersionsMenu", Cmd::Versions},
    MenuItem{K::Command, u"GoToPageMenu", Cmd::GoToPage, kCtrl | Key('G')},
};

constexpr std::array kStandardButtons{
    ToolbarButton{u"CopyButton", Cmd::Copy, 2},    ToolbarButton{u"CutButton", Cmd::Cut, 3},
    ToolbarButton{u"PasteButton", Cmd::Paste, 9},  ToolbarButton{u"UndoButton", Cmd::Undo, 16},
    ToolbarButton{u"SaveButton", Cmd::Save, 14},   ToolbarButton{u"PrintButton", Cmd::Print, 10},
    ToolbarButton{u"FindButton", Cmd::Find, 11},
};
constexpr std::array kPagesButtons{
    ToolbarButton{u"PrevPageButton", Cmd::PrevPage, 1},
    ToolbarButton{u"NextPageButton", Cmd::NextPage, 6},
    ToolbarButton{u"NewPageButton", Cmd::NewPage, 7},
    ToolbarButton{u"DeletePageButton", Cmd::DeletePage, 4},
    ToolbarButton{u"GoToPageButton", Cmd::GoToPage, 5},
};
constexpr std::array kOptionsButtons{ToolbarButton{u"OptionsButton", Cmd::Options, 28}};
constexpr std::array kFormatButtons{
    ToolbarButton{u"FontComboBox", Cmd::None, -1, 121},
    ToolbarButton{u"FontSizeComboBox", Cmd::None, -1, 48},
    ToolbarButton{u"ToggleBoldButton", Cmd::Bold, 22, 0, true},
    ToolbarButton{u"ToggleItalicButton", Cmd::Italic, 23, 0, true},
    ToolbarButton{u"ToggleUnderlineButton", Cmd::Underline, 18, 0, true},
    ToolbarButton{u"JustifyLeftButton", Cmd::AlignLeft, 20, 0, true, true},
    ToolbarButton{u"JustifyCenterButton", Cmd::AlignCenter, 19, 0, true, true},
    ToolbarButton{u"JustifyRightButton", Cmd::AlignRight, 21, 0, true, true},
    ToolbarButton{u"JustifyFullButton", Cmd::AlignJustify, 24, 0, true, true},
};

constexpr std::array kToolbars{
    ToolbarDef{u"FormatToolbar", kFormatButtons, false},
    ToolbarDef{u"StandartToolbar", kStandardButtons, true},
    ToolbarDef{u"PagesToolbar", kPagesButtons, true},
    ToolbarDef{u"OptionsToolbar", kOptionsButtons, true},
};

}  // namespace

std::span<const Action> Actions() { return kActions; }

const Action* FindAction(Cmd cmd) {
    for (const Action& action : kActions)
        if (action.cmd == cmd) return &action;
    return nullptr;
}

std::span<const MenuItem> MainMenuItems() { return kMainMenu; }
std::span<const MenuItem> EditorMenuItems() { return kEditorMenu; }
std::span<const MenuItem> TabMenuItems() { return kTabMenu; }
std::span<const ToolbarDef> Toolbars() { return kToolbars; }

std::vector<bool> ShownItems(std::span<const MenuItem> items, const std::vector<bool>& visible) {
    std::vector<bool> shown(items.size(), false);
    bool commandBefore = false;
    const size_t none = items.size();
    size_t separator = none;  // shown once a command follows it
    for (size_t i = 0; i < items.size() && i < visible.size(); ++i) {
        if (!visible[i]) continue;
        if (items[i].kind != ItemKind::Separator) {
            if (separator != none) shown[separator] = true;
            separator = none;
            shown[i] = true;
            commandBefore = true;
        } else if (commandBefore && separator == none) {
            separator = i;
        }
    }
    return shown;
}

std::u16string ShortcutText(int packed) {
    std::u16string text;
    if (packed & kCtrl) text += u"Ctrl+";
    if (packed & kAlt) text += u"Alt+";
    if (packed & kShift) text += u"Shift+";
    const int key = packed & 0xFF;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) text += static_cast<char16_t>(key);
    else if (key >= kVkF1 && key < kVkF1 + 24) {
        const int n = key - kVkF1 + 1;  // F1..F24
        text += u'F';
        if (n >= 10) text += static_cast<char16_t>(u'0' + n / 10);
        text += static_cast<char16_t>(u'0' + n % 10);
    } else if (key == kVkEscape) {
        text += u"Esc";
    }
    return text;
}

}  // namespace tavrik::ui
