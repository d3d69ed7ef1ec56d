// Finding words in the text of pages: the matches, and the line around each for a list of results.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::search {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWords = false;
};

// Letters and digits: what a whole word is made of. The caller knows the script's rules.
using WordCharTest = bool (*)(char16_t);

// Where `query` occurs in `text`, in order and not overlapping, at most `limit` of them. Without
// match case the folded forms are compared: each is its original with every unit folded in place,
// as Windows folds case, so both have the original's length and offsets carry over.
std::vector<size_t> FindMatches(std::u16string_view text, std::u16string_view foldedText, std::u16string_view query,
                                std::u16string_view foldedQuery, SearchOptions options, WordCharTest isWordChar,
                                size_t limit);

// One line of a list of results: the match and what stands around it on its line, with "…" where
// the line was cut, and tabs and other control characters as spaces.
struct ResultLine {
    std::u16string text;
    size_t markAt = 0;
    size_t markLength = 0;
};
ResultLine LineAround(std::u16string_view text, size_t at, size_t length, size_t width = 100);

}  // namespace tavrik::search
