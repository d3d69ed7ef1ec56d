// What a page file holds: rich text or plain text, and in which encoding.
#pragma once

#include <string_view>

namespace tavrik::pages {

// Rich text starts with "{\rtf" (blanks before it tolerated); anything else is read as text.
bool LooksLikeRtf(std::string_view bytes);

// A whole rich-text document as a rich-edit control writes one: "{\\rtf1\\" or "{\\rtf1{" at the start
// and a closing brace at the end (blanks around tolerated, and NULs after). A plain page holding
// this is read for its text; text typed in a plain page that would pass is written with a mark.
bool LooksLikeWholeRtf(std::string_view bytes);
bool LooksLikeWholeRtf(std::u16string_view text);

enum class TextEncoding { Ansi, Utf8, Utf16Le };

struct TextBody {
    TextEncoding encoding;
    std::string_view body;  // the bytes after the byte order mark
};

// Plain page files were always written in the system's ANSI code page; a page holding characters
// that code page lacks is written in UTF-8 with a byte order mark, which tells the two apart.
TextBody SplitByteOrderMark(std::string_view bytes);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Valid UTF-8 holding characters beyond ASCII, as other editors and sync tools write text without
// a byte order mark. Text in a Cyrillic or Western code page practically never passes.
bool IsUtf8BeyondAscii(std::string_view bytes);

}  // namespace tavrik::pages
