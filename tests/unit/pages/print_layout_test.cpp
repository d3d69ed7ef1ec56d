#include "pages/print_layout.h"

#include <gtest/gtest.h>

namespace tavrik::pages {
namespace {

// A paper as wide as ten fixed-width characters.
size_t TenWide(std::u16string_view line) { return std::min<size_t>(line.size(), 10); }

using Lines = std::vector<std::u16string>;

TEST(PrintLayout, BreaksAtSpacesAndInsideWordsTooLongForThePaper) {
    EXPECT_EQ(LayOutLines(u"Привет мир, как дела", TenWide), (Lines{u"Привет ", u"мир, как ", u"дела"}));
    EXPECT_EQ(LayOutLines(u"abcdefghijklmnopqrstuvwxy", TenWide), (Lines{u"abcdefghij", u"klmnopqrst", u"uvwxy"}));
    // A space just past the edge still ends the line; a leading space is no place to break.
    EXPECT_EQ(LayOutLines(u"0123456789 next", TenWide), (Lines{u"0123456789 ", u"next"}));
    EXPECT_EQ(LayOutLines(u" 0123456789abc", TenWide), (Lines{u" 012345678", u"9abc"}));
    // Nothing fits at all: one character a line rather than none, and a surrogate pair stays whole.
    EXPECT_EQ(LayOutLines(u"ab\U0001F600", [](std::u16string_view) { return size_t{0}; }),
              (Lines{u"a", u"b", u"\U0001F600"}));
}

TEST(PrintLayout, EveryKindOfBreakAndEmptyParagraphsKeepTheirLines) {
    EXPECT_EQ(LayOutLines(u"one\r\ntwo\rthree\nfour\vfive\r\r\rsix\r", TenWide),
              (Lines{u"one", u"two", u"three", u"four", u"five", u"", u"", u"six"}));
    EXPECT_EQ(LayOutLines(u"", TenWide), Lines{});
    EXPECT_EQ(LayOutLines(u"\r", TenWide), Lines{u""});
    EXPECT_EQ(LayOutLines(u"a\tb\tc", TenWide, 4), (Lines{u"a   b   c"}));
}

TEST(PrintLayout, SheetsTakeEveryLineOnceInOrder) {
    Lines lines;
    for (int i = 0; i < 7; ++i) lines.push_back(std::u16string(1, static_cast<char16_t>(u'a' + i)));
    const auto sheets = SplitIntoSheets(lines, 3);
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0], (Lines{u"a", u"b", u"c"}));
    EXPECT_EQ(sheets[2], (Lines{u"g"}));
    EXPECT_EQ(SplitIntoSheets({}, 3).size(), 1u) << "an empty page still prints one sheet";
    EXPECT_EQ(SplitIntoSheets(lines, 0).size(), 7u) << "a paper too short for a line takes one a sheet";
}

}  // namespace
}  // namespace tavrik::pages
