#include "window/hot_key_code.h"

#include <gtest/gtest.h>

using namespace tavrik::window;

TEST(HotKeyCode, UnpacksModifiersAndKey) {
    EXPECT_EQ(UnpackHotKey(145), (HotKeyParts{0, 0x91}));                       // Scroll Lock
    EXPECT_EQ(UnpackHotKey(0x4000 | 0x2000 | 0x4E), (HotKeyParts{6, 0x4E}));     // Ctrl+Shift+N
    EXPECT_EQ(UnpackHotKey(0x8000 | 0x4000 | 0x2000 | 0x70), (HotKeyParts{7, 0x70}));
    EXPECT_EQ(UnpackHotKey(0x8000 | 0x41), (HotKeyParts{1, 0x41}));
    EXPECT_EQ(UnpackHotKey(0x1000 | 0x141), (HotKeyParts{0, 0x41}));  // stray bits are not modifiers
}

TEST(HotKeyCode, NamesTheHotKeyAsKeyboardsLabelIt) {
    struct Case {
        std::int32_t packed;
        std::u16string_view layoutName;  // what the keyboard layout would call the key
        std::u16string_view expected;
    };
    const Case cases[] = {
        {145, u"", u"Scroll Lock"},
        {0x4000 | 0x2000 | 0x4E, u"", u"Ctrl+Shift+N"},
        {0x8000 | 0x4000 | 0x2000 | 0x7B, u"", u"Ctrl+Alt+Shift+F12"},
        {0x8000 | 0x31, u"", u"Alt+1"},
        {0x4000 | 0x13, u"", u"Ctrl+Pause"},
        {0x4000 | 0x67, u"", u"Ctrl+Num 7"},
        {0x87, u"", u"F24"},
        {0x4000 | 0xC0, u"`", u"Ctrl+`"},  // a key the layout names
        {0x4000 | 0xC0, u"", u""},        // nor named by the layout: no "Ctrl+" alone
        {0, u"", u""},                    // no hot key
        {0x4000, u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(HotKeyName(c.packed, c.layoutName), c.expected) << c.packed;
}
