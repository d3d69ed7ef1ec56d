// Find next and Replace all in one page.
#include "editor/replace_rule.h"

#include <limits>

namespace tavrik::editor {

std::optional<std::size_t> NextMatch(const PageQuery& q, std::size_t from) {
    if (q.foldedText.size() != q.text.size()) return std::nullopt;
    while (from <= q.text.size()) {
        const std::vector<std::size_t> found = search::FindMatches(q.text.substr(from), q.foldedText.substr(from), q.query,
                                                                   q.foldedQuery, q.options, q.isWordChar, 1);
        if (found.empty()) return std::nullopt;
        const std::size_t at = from + found.front();
        // The search began inside the text: a word may go on before `from`.
        const bool wordGoesOn = q.options.wholeWords && at == from && at > 0 && q.isWordChar(q.query.front()) &&
                                q.isWordChar(q.text[at - 1]);
        if (!wordGoesOn) return at;
        from = at + 1;
    }
    return std::nullopt;
}

std::vector<std::size_t> MatchesToReplace(const PageQuery& q) {
    return search::FindMatches(q.text, q.foldedText, q.query, q.foldedQuery, q.options, q.isWordChar,
                               std::numeric_limits<std::size_t>::max());
}

std::u16string PageNameFromFile(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind(u'.');
    // ".profile" has no name before its extension: the whole of it is offered.
    if (dot != std::u16string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::u16string(name);
}

}  // namespace tavrik::editor
