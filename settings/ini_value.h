// Text of the settings file <-> the program's values: integers, booleans, folders, key lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrik::settings {

// A whole number in decimal, or in hexadecimal after "0x"/"0X" when the text is longer than two
// characters. Anything else, empty text included, is no number.
std::optional<std::int32_t> ParseInt(std::u16string_view text);

// Strictly decimal, with an optional sign: the fields of a page entry.
std::optional<std::int32_t> ParseDecimal(std::u16string_view text);

// A missing key and a value that is not a number both give the fallback.
std::int32_t IntOr(const std::optional<std::u16string>& value, std::int32_t fallback);
bool BoolOr(const std::optional<std::u16string>& value, bool fallback);

std::u16string FormatInt(std::int64_t value);
inline std::u16string FormatBool(bool value) { return value ? u"1" : u"0"; }

// Folders are always held with a trailing backslash.
std::u16string WithTrailingBackslash(std::u16string folder);

// Key names as the profile services return them: each followed by a zero, the list by a second one.
std::vector<std::u16string> SplitZeroList(std::u16string_view buffer);

}  // namespace tavrik::settings
