// Pasted Unicode text through the Cyrillic code page detection, which works on Windows-1251 bytes.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::editor {

// Windows-1251, by a table of our own so that nothing depends on the system's ANSI code page.
char16_t FromCp1251(unsigned char byte);

// The text recoded when the detection finds it in the wrong code page, otherwise exactly as it
// came. Characters that Windows-1251 cannot hold take no part in the recoding and stay as they
// were.
std::u16string RecodePastedText(std::u16string_view text);

}  // namespace tavrik::editor
