#include "search/matching.h"

#include <gtest/gtest.h>

namespace tavrik::search {
namespace {

// Latin and Russian letters and digits; enough for these texts.
bool IsWordChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || (c >= 0x0400 && c <= 0x04FF);
}

std::u16string Fold(std::u16string text) {
    for (char16_t& c : text) {
        const bool capital = (c >= u'A' && c <= u'Z') || (c >= 0x0410 && c <= 0x042F);
        if (capital) c = static_cast<char16_t>(c + 32);
        else if (c == 0x0401) c = 0x0451;  // Ё
    }
    return text;
}

std::vector<size_t> Find(std::u16string_view text, std::u16string_view query, SearchOptions options = {},
                         size_t limit = 100) {
    return FindMatches(text, Fold(std::u16string(text)), query, Fold(std::u16string(query)), options, IsWordChar, limit);
}

TEST(PageSearch, FoldsCaseUnlessAskedAndNeverOverlaps) {
    const std::u16string text = u"Ёлка и ЁЛКА; ёлкаёлка";
    EXPECT_EQ(Find(text, u"ёлка"), (std::vector<size_t>{0, 7, 13, 17}));
    EXPECT_EQ(Find(text, u"ЁЛКА", {.matchCase = true}), (std::vector<size_t>{7}));
    EXPECT_EQ(Find(u"aaaa", u"aa"), (std::vector<size_t>{0, 2}));
    EXPECT_EQ(Find(text, u"ёлка", {}, 2).size(), 2u);
    EXPECT_TRUE(Find(text, u"").empty());
}

TEST(PageSearch, WholeWordsKeepWordEdgesOnly) {
    const std::u16string text = u"cat concat cat's cat9 -cat- x-cat";
    EXPECT_EQ(Find(text, u"cat", {.wholeWords = true}), (std::vector<size_t>{0, 11, 23, 30}));
    // A query that ends in a non-letter has no edge to keep there.
    EXPECT_EQ(Find(text, u"-cat", {.wholeWords = true}), (std::vector<size_t>{22, 29}));
    // A word found inside a longer one is skipped, and the search goes on right after its start.
    EXPECT_EQ(Find(u"catcat cat", u"cat", {.wholeWords = true}), (std::vector<size_t>{7}));
}

TEST(PageSearch, LineAroundMarksTheMatchOnItsOwnLine) {
    const std::u16string text = u"first line\rsecond\tline with the word\vthird";
    const size_t at = text.find(u"word");
    const ResultLine line = LineAround(text, at, 4);
    EXPECT_EQ(line.text, u"second line with the word");
    EXPECT_EQ(LineAround(text, at, 4, 10).text, u"…h the word") << "near its end, the room goes before";
    EXPECT_EQ(line.text.substr(line.markAt, line.markLength), u"word");

    std::u16string longLine(300, u'x');
    longLine.replace(200, 4, u"word");
    const ResultLine cut = LineAround(longLine, 200, 4, 60);
    EXPECT_EQ(cut.text.front(), u'…');
    EXPECT_EQ(cut.text.back(), u'…');
    EXPECT_EQ(cut.text.substr(cut.markAt, cut.markLength), u"word");
    EXPECT_LE(cut.text.size(), 62u);
}

TEST(PageSearch, LineAroundNeverCutsACharacterInTwo) {
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"\U0001F600";  // surrogate pairs only
    text += u"word";
    for (int i = 0; i < 40; ++i) text += u"\U0001F600";
    for (size_t width : {20u, 21u, 30u, 31u}) {
        const ResultLine line = LineAround(text, 80, 4, width);
        const char16_t first = line.text[1], last = line.text[line.text.size() - 2];
        EXPECT_FALSE(first >= 0xDC00 && first <= 0xDFFF) << width;
        EXPECT_FALSE(last >= 0xD800 && last <= 0xDBFF) << width;
        EXPECT_EQ(line.text.substr(line.markAt, line.markLength), u"word");
    }
}

}  // namespace
}  // namespace tavrik::search
