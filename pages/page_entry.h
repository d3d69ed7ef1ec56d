// The value of a page's line in section Pages: seven fields, each closed by "*".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrik::pages {

// Font style bits, as stored.
inline constexpr std::int32_t kStyleBold = 1;
inline constexpr std::int32_t kStyleItalic = 2;
inline constexpr std::int32_t kStyleUnderline = 4;
inline constexpr std::int32_t kStyleStrikeOut = 8;

// What a field takes when the entry lacks it: the default font and page colour settings.
struct PageDefaults {
    std::int32_t color = 16777215;
    std::u16string fontName = u"MS Sans Serif";
    std::int32_t fontColor = 0;
    std::int32_t fontSize = 10;
    std::int32_t fontStyle = 0;
};

struct PageEntry {
    std::int32_t color = 16777215;  // page background; system colours are negative
    std::u16string fontName = u"MS Sans Serif";
    std::int32_t fontColor = 0;
    std::int32_t fontSize = 10;
    std::int32_t fontStyle = 0;
    std::int32_t caret = 0;  // characters from the start of the text
    bool wordWrap = false;

    bool operator==(const PageEntry&) const = default;
};

// Fields are taken from the left; from the first one without its closing "*" on, every field
// takes its default. A numeric field that is not a decimal number takes its default too, and so
// does a font size outside 1..1638.
PageEntry DecodePageEntry(std::u16string_view value, const PageDefaults& defaults);

std::u16string EncodePageEntry(const PageEntry& entry);

// The entry of a page that has just been made: the defaults, caret 0, word wrap on.
PageEntry NewPageEntry(const PageDefaults& defaults);

inline constexpr std::u16string_view kDefaultPageName = u"Tavrikdesk";

}  // namespace tavrik::pages
