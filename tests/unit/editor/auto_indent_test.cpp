#include "editor/auto_indent.h"

#include <gtest/gtest.h>

using namespace tavrik::editor;

TEST(AutoIndent, CopiesTabsAndSpacesThatStartTheLine) {
    const std::u16string_view line = u"\t Купить хлеба";  // "buy bread", after a tab and a space
    EXPECT_EQ(AutoIndentOf(line, line.size()), u"\t ");
    EXPECT_EQ(AutoIndentBreak(line, line.size()), u"\r\n\t ");
    EXPECT_EQ(AutoIndentBreak(line, 5), u"\r\n\t ");  // caret mid-text
    EXPECT_EQ(AutoIndentOf(u"    \t", 5), u"    \t");  // blank to the caret
}

TEST(AutoIndent, CaretInsideTheBlanksCopiesOnlyThoseLeftOfIt) {
    EXPECT_EQ(AutoIndentOf(u"\t\t  text", 3), u"\t\t ");
    EXPECT_EQ(AutoIndentOf(u"\t\t  text", 1), u"\t");
}

TEST(AutoIndent, NothingToCopyGivesABareLineBreak) {
    EXPECT_EQ(AutoIndentBreak(u"\t\tdeep", 0), u"\r\n");
    EXPECT_EQ(AutoIndentBreak(u"", 0), u"\r\n");
    EXPECT_EQ(AutoIndentBreak(u"text  \t", 7), u"\r\n");  // blanks that end a line are no indent
}

TEST(AutoIndent, OtherWhiteSpaceIsNoIndent) {
    EXPECT_EQ(AutoIndentOf(u"\u00A0\u00A0text", 6), u"");  // no-break spaces
    EXPECT_EQ(AutoIndentOf(u" \u3000x", 3), u" ");         // ideographic space
    EXPECT_EQ(AutoIndentOf(u"\v\fx", 3), u"");
}

TEST(AutoIndent, ColumnPastTheEndCountsAsTheEnd) {
    EXPECT_EQ(AutoIndentOf(u"  \r", 40), u"  ");  // the paragraph mark is not copied
    EXPECT_EQ(AutoIndentOf(u"\t", static_cast<std::size_t>(-1)), u"\t");
}
