// Find next and Replace all in one page: where the matches are, and what the text becomes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/matching.h"

namespace tavrik::editor {

// A page's text as its editor counts it (one "\r" a paragraph), its folded form (same length),
// and what is looked for.
struct PageQuery {
    std::u16string_view text;
    std::u16string_view foldedText;
    std::u16string_view query;
    std::u16string_view foldedQuery;
    search::SearchOptions options;
    search::WordCharTest isWordChar;
};

// The first match that starts at `from` or after; the search never wraps round.
std::optional<std::size_t> NextMatch(const PageQuery& q, std::size_t from);

// Every match Replace all replaces: in order, not overlapping, each found in the text as it was
// before any replacement, so a replacement that holds the query is never replaced again.
std::vector<std::size_t> MatchesToReplace(const PageQuery& q);

// The page a file opened as one is first offered as: its name without folder and extension
// ("a.b.rtf" gives "a.b", which the name rules then refuse for its dot).
std::u16string PageNameFromFile(std::u16string_view path);

}  // namespace tavrik::editor
