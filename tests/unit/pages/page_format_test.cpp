#include "pages/page_format.h"

#include <gtest/gtest.h>

using namespace tavrik::pages;

TEST(PageFormat, RichTextIsRecognisedByItsHeader) {
    EXPECT_TRUE(LooksLikeRtf("{\\rtf1\\ansi hello}"));
    EXPECT_TRUE(LooksLikeRtf("\r\n {\\rtf1}"));
    EXPECT_FALSE(LooksLikeRtf("Notes about {\\rtf1"));
    EXPECT_FALSE(LooksLikeRtf("{\\rt"));
    EXPECT_FALSE(LooksLikeRtf(""));
    EXPECT_FALSE(LooksLikeRtf("\xEF\xBB\xBF{\\rtf1}"));  // a text file that quotes rich text
}

TEST(PageFormat, ByteOrderMarksChooseTheEncoding) {
    EXPECT_EQ(SplitByteOrderMark("\xEF\xBB\xBF\xD0\x96").encoding, TextEncoding::Utf8);
    EXPECT_EQ(SplitByteOrderMark("\xEF\xBB\xBF\xD0\x96").body, "\xD0\x96");
    EXPECT_EQ(SplitByteOrderMark("\xFF\xFE\x16\x04").encoding, TextEncoding::Utf16Le);
    // Plain pages of every earlier version: ANSI bytes, here "Жук" in Windows-1251.
    EXPECT_EQ(SplitByteOrderMark("\xC6\xF3\xEA").encoding, TextEncoding::Ansi);
    EXPECT_EQ(SplitByteOrderMark("\xEF\xBB").encoding, TextEncoding::Ansi);
}
