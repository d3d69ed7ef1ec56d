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

// Message numbers as the Windows headers define them.
TEST(OptionsTabPicture, KeptForPaintingAndQuestionsAndDroppedForAnythingThatMayChangeTheLook) {
    struct Case {
        std::uint32_t message;
        bool keeps;
        const char* what;
    };
    const Case cases[] = {
        {0x000F, true, "WM_PAINT"},
        {0x0014, true, "WM_ERASEBKGND"},
        {0x0085, true, "WM_NCPAINT"},
        {0x0318, true, "WM_PRINTCLIENT"},
        {0x003D, true, "WM_GETOBJECT from a screen reader"},
        {0x130B, true, "TCM_GETCURSEL"},
        {0x1328, true, "TCM_ADJUSTRECT"},
        {0x130C, false, "TCM_SETCURSEL, even of the page already selected"},
        {0x133D, false, "TCM_SETITEMW: a caption in another language"},
        {0x133E, false, "TCM_INSERTITEMW"},
        {0x0007, false, "WM_SETFOCUS: the focus rectangle"},
        {0x0008, false, "WM_KILLFOCUS"},
        {0x0128, false, "WM_UPDATEUISTATE: the access keys' underlines"},
        {0x0200, false, "WM_MOUSEMOVE: a hot tab"},
        {0x02A3, false, "WM_MOUSELEAVE"},
        {0x0005, false, "WM_SIZE"},
        {0x0030, false, "WM_SETFONT"},
        {0x000A, false, "WM_ENABLE"},
        {0x0113, false, "WM_TIMER"},
        {0x0015, false, "WM_SYSCOLORCHANGE"},
        {0x031A, false, "WM_THEMECHANGED"},
        {0x02E3, false, "WM_DPICHANGED_AFTERPARENT"},
        {0x0401, false, "a message of its own"},
    };
    for (const Case& c : cases) EXPECT_EQ(KeepsTabPicture(c.message), c.keeps) << c.what;
}

}  // namespace
}  // namespace tavrik::options
