// A page's text laid out in lines and sheets, for a printout the program draws itself.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::pages {

// How many leading UTF-16 units of a line fit across the paper (0 when not even one does).
using FittingUnits = std::function<size_t(std::u16string_view line)>;

// Breaks the text into printed lines: at each paragraph or line break ("\r\n", "\r", "\n", "\v",
// "\f"), and where a paragraph is wider than the paper, after the last space that fits, or inside
// a word that alone is too wide. Tabs become spaces up to the next multiple of `tabColumns`.
// Every other character lands on exactly one line, in order; a break at the very end makes no
// empty line after it.
std::vector<std::u16string> LayOutLines(std::u16string_view text, const FittingUnits& fitting, int tabColumns = 8);

// The lines of each sheet: `linesPerSheet` of them (at least one), the last sheet with the rest.
// Text with no line still prints one, empty sheet.
std::vector<std::vector<std::u16string>> SplitIntoSheets(std::vector<std::u16string> lines, int linesPerSheet);

}  // namespace tavrik::pages
