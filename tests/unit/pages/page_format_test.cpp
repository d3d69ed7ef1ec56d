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

TEST(PageFormat, WholeRichTextNeedsItsControlWordAndClosingBrace) {
    EXPECT_TRUE(LooksLikeWholeRtf("{\\rtf1\\ansi\\deff0 hello\\par\r\n}\r\n"));
    EXPECT_TRUE(LooksLikeWholeRtf(std::string_view("{\\rtf1{\\fonttbl}x}\0", 19)));  // the control's final NUL
    EXPECT_TRUE(LooksLikeWholeRtf(u"  {\\rtf1\\b quoted}"));
    EXPECT_FALSE(LooksLikeWholeRtf("{\\rtf1 shown as it is}"));    // a blank after the version: words
    EXPECT_FALSE(LooksLikeWholeRtf("{\\rtf1\\ansi cut short by a full disk"));
    EXPECT_FALSE(LooksLikeWholeRtf("{\\rtf\\ansi}"));             // no version
    EXPECT_FALSE(LooksLikeWholeRtf("\xEF\xBB\xBF{\\rtf1\\ansi x}"));  // marked: plain text
    EXPECT_FALSE(LooksLikeWholeRtf(u"{\\rtf1}"));
    EXPECT_FALSE(LooksLikeWholeRtf(""));
}

TEST(PageFormat, ByteOrderMarksChooseTheEncoding) {
    EXPECT_EQ(SplitByteOrderMark("\xEF\xBB\xBF\xD0\x96").encoding, TextEncoding::Utf8);
    EXPECT_EQ(SplitByteOrderMark("\xEF\xBB\xBF\xD0\x96").body, "\xD0\x96");
    EXPECT_EQ(SplitByteOrderMark("\xFF\xFE\x16\x04").encoding, TextEncoding::Utf16Le);
    // Plain pages of every earlier version: ANSI bytes, here "Жук" in Windows-1251.
    EXPECT_EQ(SplitByteOrderMark("\xC6\xF3\xEA").encoding, TextEncoding::Ansi);
    EXPECT_EQ(SplitByteOrderMark("\xEF\xBB").encoding, TextEncoding::Ansi);
}

TEST(PageFormat, Utf8WithoutByteOrderMarkIsToldFromCodePages) {
    // "Съешь же ещё этих мягких французских булок" as another editor saves it: UTF-8, no mark.
    EXPECT_TRUE(IsUtf8BeyondAscii("\xD0\xA1\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 "
                                  "\xD0\xB5\xD1\x89\xD1\x91 \xD1\x8D\xD1\x82\xD0\xB8\xD1\x85 "
                                  "\xD0\xBC\xD1\x8F\xD0\xB3\xD0\xBA\xD0\xB8\xD1\x85\r\n"));
    EXPECT_TRUE(IsUtf8BeyondAscii("Smile \xF0\x9F\x98\x80, \xE2\x82\xAC 5"));  // 😀, € 5
    // The same words in Windows-1251, KOI8-R, CP866 and ISO 8859-5; "Grüße aus Köln" in Windows-1252.
    EXPECT_FALSE(IsUtf8BeyondAscii("\xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5"));
    EXPECT_FALSE(IsUtf8BeyondAscii("\xF3\xDF\xC5\xDB\xD8 \xD6\xC5 \xC5\xDD\xA3 \xDC\xD4\xC9\xC8"));
    EXPECT_FALSE(IsUtf8BeyondAscii("\x91\xEA\xA5\xE8\xEC \xA6\xA5 \xA5\xE9\xF1 \xED\xE2\xA8\xE5"));
    EXPECT_FALSE(IsUtf8BeyondAscii("\xC1\xEA\xD5\xE8\xEC \xD6\xD5 \xD5\xE9\xF1 \xED\xE2\xD8\xE5"));
    EXPECT_FALSE(IsUtf8BeyondAscii("Gr\xFC\xDF" "e aus K\xF6ln"));
    EXPECT_FALSE(IsUtf8BeyondAscii("plain ASCII notes\r\n"));  // the same in every code page: stays ANSI
    EXPECT_FALSE(IsUtf8BeyondAscii(""));
    // Damaged or forbidden forms: an overlong "/", a surrogate, a cut character, beyond U+10FFFF.
    for (std::string_view bad :
         {"a\xC0\xAF", "a\xE0\x80\xAF", "\xED\xA0\x80", "\xD0\x96\xD0", "\xF4\x90\x80\x80"})
        EXPECT_FALSE(IsUtf8BeyondAscii(bad));
}
