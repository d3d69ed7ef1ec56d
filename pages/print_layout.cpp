// Line breaking and sheets for the program's own printout.
#include "pages/print_layout.h"

#include <algorithm>

namespace tavrik::pages {
namespace {

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::u16string ExpandTabs(std::u16string_view paragraph, int tabColumns) {
    std::u16string out;
    out.reserve(paragraph.size());
    for (char16_t c : paragraph) {
        if (c != u'\t') {
            out += c;
            continue;
        }
        const size_t stop = tabColumns > 0 ? static_cast<size_t>(tabColumns) : 1;
        out.append(stop - out.size() % stop, u' ');
    }
    return out;
}

// Where the first line of `rest` ends, given how much of it fits.
size_t LineEnd(std::u16string_view rest, size_t fit) {
    if (fit >= rest.size()) return rest.size();
    // The space itself may stand past the edge: it is not seen at the end of a line.
    const size_t space = rest.substr(0, fit + 1).find_last_of(u' ');
    if (space != std::u16string_view::npos && space > 0) return space + 1;
    size_t cut = std::max<size_t>(fit, 1);
    if (cut < rest.size() && IsLowSurrogate(rest[cut])) cut = cut > 1 ? cut - 1 : cut + 1;  // a pair stays whole
    return cut;
}

}  // namespace

std::vector<std::u16string> LayOutLines(std::u16string_view text, const FittingUnits& fitting, int tabColumns) {
    std::vector<std::u16string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at;
        while (end < text.size() && !IsBreak(text[end])) ++end;
        const std::u16string paragraph = ExpandTabs(text.substr(at, end - at), tabColumns);
        std::u16string_view rest = paragraph;
        do {
            const size_t cut = LineEnd(rest, fitting(rest));
            lines.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(cut);
        } while (!rest.empty());
        at = end;
        if (at < text.size()) at += text.compare(at, 2, u"\r\n") == 0 ? 2 : 1;
    }
    return lines;
}

std::vector<std::vector<std::u16string>> SplitIntoSheets(std::vector<std::u16string> lines, int linesPerSheet) {
    const size_t perSheet = static_cast<size_t>(std::max(linesPerSheet, 1));
    std::vector<std::vector<std::u16string>> sheets;
    for (size_t first = 0; first < lines.size(); first += perSheet) {
        const size_t last = std::min(lines.size(), first + perSheet);
        sheets.emplace_back(std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(first)),
                            std::make_move_iterator(lines.begin() + static_cast<std::ptrdiff_t>(last)));
    }
    if (sheets.empty()) sheets.emplace_back();
    return sheets;
}

}  // namespace tavrik::pages
