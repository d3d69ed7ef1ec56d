// Finding words in the text of pages.
#include "search/matching.h"

#include <algorithm>

namespace tavrik::search {
namespace {

// The control's paragraph and line breaks, and the Unicode ones.
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == 0x2028 || c == 0x2029; }

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

std::vector<size_t> FindMatches(std::u16string_view text, std::u16string_view foldedText, std::u16string_view query,
                                std::u16string_view foldedQuery, SearchOptions options, WordCharTest isWordChar,
                                size_t limit) {
    std::vector<size_t> found;
    const std::u16string_view haystack = options.matchCase ? text : foldedText;
    const std::u16string_view needle = options.matchCase ? query : foldedQuery;
    if (needle.empty() || haystack.size() != text.size() || needle.size() != query.size()) return found;
    // A query that begins or ends outside a word ("-x", "a.") has no word edge to keep there.
    const bool edgeBefore = options.wholeWords && isWordChar(query.front());
    const bool edgeAfter = options.wholeWords && isWordChar(query.back());
    size_t from = 0;
    while (found.size() < limit) {
        const size_t at = haystack.find(needle, from);
        if (at == std::u16string_view::npos) break;
        const size_t end = at + needle.size();
        if ((edgeBefore && at > 0 && isWordChar(text[at - 1])) || (edgeAfter && end < text.size() && isWordChar(text[end]))) {
            from = at + 1;
            continue;
        }
        found.push_back(at);
        from = end;
    }
    return found;
}

ResultLine LineAround(std::u16string_view text, size_t at, size_t length, size_t width) {
    at = std::min(at, text.size());
    length = std::min(length, text.size() - at);
    size_t start = at, end = at + length;
    while (start > 0 && !IsLineBreak(text[start - 1])) --start;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    // A long line keeps a little before the match and the rest of the room after it; near its
    // end, what room is left goes before.
    size_t from = at - std::min(at - start, width / 4);
    if (end - from < width) from = std::max(start, end > width ? end - width : 0);
    size_t to = std::min(end, std::max(at + length, from + width));
    if (from > start && from < at && text[from] >= 0xDC00 && IsSurrogate(text[from])) ++from;  // never half a character
    if (to < end && IsSurrogate(text[to - 1]) && text[to - 1] < 0xDC00) --to;
    ResultLine line;
    if (from > start) line.text += u'…';
    line.markAt = line.text.size() + (at - from);
    line.markLength = length;
    for (size_t i = from; i < to; ++i) line.text += text[i] < u' ' || IsLineBreak(text[i]) ? u' ' : text[i];
    if (to < end) line.text += u'…';
    return line;
}

}  // namespace tavrik::search
