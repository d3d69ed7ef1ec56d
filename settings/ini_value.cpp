// Encodings of values in the settings file.
#include "settings/ini_value.h"

#include <limits>

namespace tavrik::settings {
namespace {

int DigitValue(char16_t c, int base) {
    int v = -1;
    if (c >= u'0' && c <= u'9') v = c - u'0';
    else if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
    return v < base ? v : -1;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return text;
}

// Hexadecimal values are colour-like bit patterns: 0xFFFFFFFF is -1, as the value was written.
std::optional<std::int32_t> ParseHex(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char16_t c : digits) {
        const int d = DigitValue(c, 16);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseDecimal(std::u16string_view text) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char16_t c : text) {
        const int d = DigitValue(c, 10);
        if (d < 0) return std::nullopt;
        value = value * 10 + d;
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseInt(std::u16string_view text) {
    const std::u16string_view t = Trimmed(text);
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) return ParseHex(t.substr(2));
    return ParseDecimal(t);
}

std::int32_t IntOr(const std::optional<std::u16string>& value, std::int32_t fallback) {
    if (!value) return fallback;
    return ParseInt(*value).value_or(fallback);
}

bool BoolOr(const std::optional<std::u16string>& value, bool fallback) {
    return IntOr(value, fallback ? 1 : 0) != 0;
}

std::u16string FormatInt(std::int64_t value) {
    std::u16string out;
    const bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        out.insert(out.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) out.insert(out.begin(), u'-');
    return out;
}

std::u16string WithTrailingBackslash(std::u16string folder) {
    if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
    return folder;
}

std::vector<std::u16string> SplitZeroList(std::u16string_view buffer) {
    std::vector<std::u16string> names;
    while (!buffer.empty() && buffer.front() != u'\0') {
        const std::size_t end = buffer.find(u'\0');
        names.emplace_back(buffer.substr(0, end));
        if (end == std::u16string_view::npos) break;
        buffer.remove_prefix(end + 1);
    }
    return names;
}

}  // namespace tavrik::settings
