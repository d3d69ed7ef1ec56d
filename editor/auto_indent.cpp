// The indent copied to the new line.
#include "editor/auto_indent.h"

#include <algorithm>

namespace tavrik::editor {

std::u16string_view AutoIndentOf(std::u16string_view line, std::size_t column) {
    // Only what lies left of the caret: Enter inside the leading blanks splits them, and the
    // part right of the caret moves down with the rest of the line.
    const std::u16string_view left = line.substr(0, std::min(column, line.size()));
    return left.substr(0, left.find_first_not_of(u"\t "));  // npos: the whole part is blank
}

std::u16string AutoIndentBreak(std::u16string_view line, std::size_t column) {
    std::u16string text = u"\r\n";
    text += AutoIndentOf(line, column);
    return text;
}

}  // namespace tavrik::editor
