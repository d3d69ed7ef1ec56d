// Enter with auto-indent: the new line starts with the blanks that start the caret's line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrik::editor {

// The run of tabs and spaces that starts the first `column` characters of `line` (the part left
// of the caret); empty at column 0. A column past the end counts as the end.
std::u16string_view AutoIndentOf(std::u16string_view line, std::size_t column);

// What replaces the selection: CR LF, then that indent.
std::u16string AutoIndentBreak(std::u16string_view line, std::size_t column);

}  // namespace tavrik::editor
