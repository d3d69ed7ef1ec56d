// Page file formats.
#include "pages/page_format.h"

namespace tavrik::pages {

bool LooksLikeRtf(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

TextBody SplitByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == kUtf8Bom) return {TextEncoding::Utf8, bytes.substr(3)};
    if (bytes.substr(0, 2) == "\xFF\xFE") return {TextEncoding::Utf16Le, bytes.substr(2)};
    return {TextEncoding::Ansi, bytes};
}

}  // namespace tavrik::pages
