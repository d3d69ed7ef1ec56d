#include "options/options_rules.h"

#include <gtest/gtest.h>

namespace tavrik::options {
namespace {

TEST(OptionsEnabling, NoTransparencyBoxOnlyWhereWindowsCanBeTranslucent) {
    for (int os : {1, 2, 3, 4, 5, 9}) EXPECT_FALSE(EnablingFor(os, {}).noTransparencyBox) << os;
    for (int os : {6, 7, 8}) EXPECT_TRUE(EnablingFor(os, {}).noTransparencyBox) << os;
}

TEST(OptionsEnabling, FadeSpeedNeedsFadeAndTranslucencyTogether) {
    EXPECT_TRUE(EnablingFor(8, {.showCool = true}).fadeSpeed);
    EXPECT_FALSE(EnablingFor(8, {.showCool = false}).fadeSpeed);
    const Enabling off = EnablingFor(8, {.noTransparency = true, .showCool = true});
    EXPECT_FALSE(off.transparency);
    EXPECT_FALSE(off.fadeSpeed);
    EXPECT_TRUE(EnablingFor(8, {.autoHide = true}).hideTimeout);
    EXPECT_TRUE(EnablingFor(8, {.autoDecode = true}).decodeWarning);
    EXPECT_FALSE(EnablingFor(8, {}).decodeWarning);
}

TEST(OptionsTrackBar, RightEndIsAlphaFifteenAndStoredAlphasComeBackInRange) {
    EXPECT_EQ(AlphaOfPosition(kTransparencyMax), 15);
    EXPECT_EQ(PositionOfAlpha(255), 0);
    EXPECT_EQ(PositionOfAlpha(200), 55);
    EXPECT_EQ(PositionOfAlpha(0), kTransparencyMax);  // hand-edited below the track bar's reach
    EXPECT_EQ(PositionOfAlpha(300), 0);
}

TEST(OptionsFolderField, EndsInOneBackslashAndEmptiedBecomesABackslash) {
    EXPECT_EQ(FolderFieldText(u""), u"\\");
    EXPECT_EQ(FolderFieldText(u"D:\\Заметки"), u"D:\\Заметки\\");
    EXPECT_EQ(FolderFieldText(u"D:\\Notes\\"), u"D:\\Notes\\");
}

TEST(OptionsFolderField, OnlyLatinLetterCaseIsIgnored) {
    EXPECT_FALSE(FolderTextDiffers(u"c:\\notes\\", u"C:\\NOTES\\"));
    EXPECT_TRUE(FolderTextDiffers(u"C:\\Notes2\\", u"C:\\Notes\\"));
    // Cyrillic case counts here; the move itself finds it is the same folder and moves nothing.
    EXPECT_TRUE(FolderTextDiffers(u"C:\\заметки\\", u"C:\\Заметки\\"));
}

TEST(OptionsHotKeyControl, PackedValuesRoundTripThroughTheControl) {
    EXPECT_EQ(ControlFromPacked(145), 0x91u);  // Scroll Lock alone
    EXPECT_EQ(ControlFromPacked(0x4000 | 0x8000 | 0x7B), 0x7Bu | (0x06u << 8));  // Ctrl+Alt+F12
    EXPECT_EQ(ControlFromPacked(0x2000 | 0x25), 0x25u | (0x09u << 8));  // Shift+Left: an extended key
    for (std::int32_t packed : {145, 0x4000 | 0x8000 | 0x7B, 0x2000 | 0x25, 0x4000 | 0x2E})
        EXPECT_EQ(PackedFromControl(ControlFromPacked(packed)), packed) << packed;
}

}  // namespace
}  // namespace tavrik::options
