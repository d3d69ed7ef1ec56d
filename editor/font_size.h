// The font size box's rule: which texts set a size.
#pragma once

#include <optional>
#include <string_view>

namespace tavrik::editor {

// Digits only, a whole number from 1 to 300: anything else sets nothing (a number too long to
// read counts as out of range).
std::optional<int> FontSizeFromText(std::u16string_view text);

}  // namespace tavrik::editor
