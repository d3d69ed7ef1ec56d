// The font size box's digits and range.
#include "editor/font_size.h"

namespace tavrik::editor {

std::optional<int> FontSizeFromText(std::u16string_view text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        if (value <= 300) value = value * 10 + (c - u'0');  // stays out of range once it is
    }
    if (value < 1 || value > 300) return std::nullopt;
    return value;
}

}  // namespace tavrik::editor
