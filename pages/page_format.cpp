// Page file formats.
#include "pages/page_format.h"

namespace tavrik::pages {

bool LooksLikeRtf(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

namespace {
template <class Char>
bool WholeRtf(std::basic_string_view<Char> s) {
    const auto blank = [](Char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t start = 0, end = s.size();
    while (start < end && blank(s[start])) ++start;
    while (end > start && (blank(s[end - 1]) || s[end - 1] == 0)) --end;
    const std::basic_string_view<Char> body = s.substr(start, end - start);
    constexpr std::string_view kHeader = "{\\rtf";
    if (body.size() < kHeader.size() + 3 || body.back() != '}') return false;
    for (std::size_t i = 0; i < kHeader.size(); ++i)
        if (body[i] != static_cast<Char>(kHeader[i])) return false;
    std::size_t i = kHeader.size();
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i;
    return i > kHeader.size() && (body[i] == '\\' || body[i] == '{');
}
}  // namespace

bool LooksLikeWholeRtf(std::string_view bytes) { return WholeRtf(bytes); }
bool LooksLikeWholeRtf(std::u16string_view text) { return WholeRtf(text); }

TextBody SplitByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == kUtf8Bom) return {TextEncoding::Utf8, bytes.substr(3)};
    if (bytes.substr(0, 2) == "\xFF\xFE") return {TextEncoding::Utf16Le, bytes.substr(2)};
    return {TextEncoding::Ansi, bytes};
}

bool IsUtf8BeyondAscii(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The shortest form only, no surrogates, nothing above U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        beyondAscii = true;
        i += length;
    }
    return beyondAscii;
}

}  // namespace tavrik::pages
