// The single-byte code pages that rich text and plain pages come in, by tables of our own.
#pragma once

#include <array>

namespace tavrik::pages {

// Characters of bytes 0x80..0xFF.
using HighHalf = std::array<char16_t, 128>;

// The table of a code page that has one here, or nullptr.
const HighHalf* CodePageTable(int codePage);

// The code page a font's \fcharset stands for; 0 when it names none of its own (DEFAULT_CHARSET,
// or one without a table here).
int CharsetCodePage(int charset);

}  // namespace tavrik::pages
