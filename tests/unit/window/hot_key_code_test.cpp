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
