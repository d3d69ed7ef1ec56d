#include "ui/commands.h"

#include <gtest/gtest.h>

#include <set>

using namespace tavrik::ui;

TEST(Commands, ShortcutsReadAsUsersTypeThem) {
    EXPECT_EQ(ShortcutText(kCtrl | kAlt | 'M'), u"Ctrl+Alt+M");
    EXPECT_EQ(ShortcutText(kCtrl | 'Z'), u"Ctrl+Z");
    EXPECT_EQ(ShortcutText(0x70), u"F1");
    EXPECT_EQ(ShortcutText(0x7B), u"F12");
    EXPECT_EQ(ShortcutText(0x1B), u"Esc");
    EXPECT_EQ(ShortcutText(kShift | 0x79), u"Shift+F10");
    EXPECT_EQ(ShortcutText(0), u"");
}

TEST(Commands, MenusAreBalancedAndNamedOnce) {
    for (auto items : {MainMenuItems(), EditorMenuItems(), TabMenuItems()}) {
        int depth = 0;
        std::set<std::u16string_view> names;
        for (const MenuItem& item : items) {
            if (item.kind == ItemKind::SubmenuBegin) ++depth;
            if (item.kind == ItemKind::SubmenuEnd) --depth;
            ASSERT_GE(depth, 0);
            if (item.kind == ItemKind::Command || item.kind == ItemKind::SubmenuBegin) {
                EXPECT_TRUE(names.insert(item.name).second) << "twice in one menu";
                EXPECT_NE(item.cmd, Cmd::None);
            }
        }
        EXPECT_EQ(depth, 0);
    }
}

TEST(Commands, ShortcutsOfTheMenuBarDoNotCollide) {
    std::set<int> keys;
    for (const MenuItem& item : MainMenuItems()) {
        if (item.shortcut) {
            EXPECT_TRUE(keys.insert(item.shortcut).second) << "shortcut used twice";
        }
    }
    for (const Action& action : Actions()) {
        if (action.shortcut) {
            EXPECT_TRUE(keys.insert(action.shortcut).second) << "shortcut used twice";
        }
    }
}

TEST(Commands, EveryButtonHasAnActionOrIsABox) {
    for (const ToolbarDef& bar : Toolbars())
        for (const ToolbarButton& button : bar.buttons)
            EXPECT_TRUE(button.cmd != Cmd::None ? button.image >= 0 && button.image <= 28 : button.boxWidthAt96 > 0);
    EXPECT_EQ(FindAction(Cmd::Options)->image, 12);
    EXPECT_EQ(FindAction(Cmd::Exit), nullptr);
}

TEST(Commands, SeparatorsShowOnlyBetweenTwoShownCommands) {
    const MenuItem command{ItemKind::Command, u"A", Cmd::Copy};
    const MenuItem separator{ItemKind::Separator, u""};
    const std::vector<MenuItem> items{separator, command, separator, separator, command, separator, command, separator};
    EXPECT_EQ(ShownItems(items, {true, true, true, true, true, true, false, true}),
              (std::vector<bool>{false, true, true, false, true, false, false, false}));
    EXPECT_EQ(ShownItems(items, std::vector<bool>(items.size(), false)), std::vector<bool>(items.size(), false));
}
