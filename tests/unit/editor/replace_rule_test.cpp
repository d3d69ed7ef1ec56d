#include "editor/replace_rule.h"

#include <gtest/gtest.h>

namespace tavrik::editor {
namespace {

// Latin and Russian letters, digits and "_", folded as Windows folds them; enough for these texts.
bool IsWordChar(char16_t c) {
    return c == u'_' || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || (c >= 0x0400 && c <= 0x04FF);
}

std::u16string Fold(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0x0410 && c <= 0x042F)) c = static_cast<char16_t>(c + 32);
        else if (c >= 0x0400 && c <= 0x040F) c = static_cast<char16_t>(c + 80);  // Ё and the like
    }
    return folded;
}

struct Case {
    const char16_t* text;
    const char16_t* query;
    search::SearchOptions options;
    std::size_t from;
    std::optional<std::size_t> next;
    std::vector<std::size_t> all;
};

TEST(ReplaceRule, FindsNextAndEveryMatchByTheDialogsOptions) {
    const Case cases[] = {
        {u"Cat cat CAT", u"cat", {}, 0, 0, {0, 4, 8}},
        {u"Cat cat CAT", u"cat", {.matchCase = true}, 0, 4, {4}},
        {u"Cat cat CAT", u"cat", {}, 1, 4, {0, 4, 8}},  // past the selection, never back
        {u"Cat cat CAT", u"cat", {}, 9, std::nullopt, {0, 4, 8}},  // no wrap round
        {u"Cat cat CAT", u"cat", {}, 99, std::nullopt, {0, 4, 8}},  // a caret past the end finds nothing
        // "Ёлка" is "fir tree": a Cyrillic letter on either side ends no word.
        {u"Ёлки ёлка ЁЛКА", u"ёлка", {.wholeWords = true}, 0, 5, {5, 10}},
        {u"Ёлки ёлка ЁЛКА", u"ёлк", {}, 0, 0, {0, 5, 10}},
        {u"ёлкаёлка ёлка", u"ёлка", {.wholeWords = true}, 0, 9, {9}},
        // Starting inside a word does not make its tail a whole word.
        {u"concat cat", u"cat", {.wholeWords = true}, 3, 7, {7}},
        {u"cat_cat cat9 cat.", u"cat", {.wholeWords = true}, 0, 13, {13}},
        // Overlapping matches: each is taken from the end of the one before.
        {u"aaa", u"aa", {}, 0, 0, {0}},
        {u"aaaa", u"aa", {}, 1, 1, {0, 2}},
        {u"some text", u"", {}, 0, std::nullopt, {}},
        {u"", u"x", {}, 0, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const std::u16string foldedText = Fold(c.text), foldedQuery = Fold(c.query);
        const PageQuery q{c.text, foldedText, c.query, foldedQuery, c.options, IsWordChar};
        const std::string label = "case " + std::to_string(&c - cases);
        EXPECT_EQ(NextMatch(q, c.from), c.next) << label;
        EXPECT_EQ(MatchesToReplace(q), c.all) << label;
    }
}

TEST(ReplaceRule, ReplacementHoldingTheQueryIsNotFoundAgain) {
    // Replace all takes the matches of the text as it was: "a" by "aa" doubles each, once.
    const std::u16string text = u"a ba";
    const std::u16string folded = Fold(text);
    const PageQuery q{text, folded, u"a", u"a", {}, IsWordChar};
    EXPECT_EQ(MatchesToReplace(q), (std::vector<std::size_t>{0, 3}));
}

TEST(ReplaceRule, PageNameFromFileDropsFolderAndLastExtension) {
    const struct {
        const char16_t* path;
        const char16_t* name;
    } cases[] = {
        {u"C:\\Users\\ann\\Notes.txt", u"Notes"},
        {u"a.b.rtf", u"a.b"},                      // the dot left in is refused by the name rules
        {u"\\\\server\\share\\Заметки.RTF", u"Заметки"},
        {u"D:/mixed/slashes.txt", u"slashes"},
        {u"README", u"README"},
        {u".profile", u".profile"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(PageNameFromFile(c.path), c.name) << std::u16string_view(c.path).size();
}

}  // namespace
}  // namespace tavrik::editor
