#include "editor/font_size.h"

#include <gtest/gtest.h>

using tavrik::editor::FontSizeFromText;

TEST(FontSize, WholeNumbersFromOneTo300) {
    EXPECT_EQ(FontSizeFromText(u"1"), 1);
    EXPECT_EQ(FontSizeFromText(u"14"), 14);
    EXPECT_EQ(FontSizeFromText(u"300"), 300);
    EXPECT_EQ(FontSizeFromText(u"007"), 7);
}

TEST(FontSize, AnythingElseSetsNothing) {
    for (const char16_t* text : {u"", u"0", u"301", u"99999999999999999999", u"1a", u" 12", u"12.5", u"-3", u"+4"})
        EXPECT_EQ(FontSizeFromText(text), std::nullopt);
}
