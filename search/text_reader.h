// The text of a page file without an editor, as the page's rich-edit control would hold it.
#pragma once

#include <string>
#include <string_view>

namespace tavrik::search {

// What the page's editor shows for these bytes, chosen as editor::LoadPageBytes chooses: rich text
// when they start like rich text (in plain mode only when they are a whole document), plain text
// otherwise; rich text whose groups are not all closed is shown as it is, as the control refuses
// it. UTF-16 with one "\r" for each paragraph break, as the control counts characters, so
// offsets are caret positions; editor::GetText gives "\r\n" instead. `ansiCodePage` is the
// system's ANSI code page, for plain text without a byte order mark and rich text that names none.
std::u16string ReadPageText(std::string_view bytes, bool plainMode, int ansiCodePage = 1252);

// The two readers on their own. Neither fails: damaged, cut-short or hostile input gives whatever
// text can be read from it, for a search that would rather find words in a damaged page.
std::u16string RtfPlainText(std::string_view rtf, int ansiCodePage = 1252);
std::u16string PlainPageText(std::string_view bytes, int ansiCodePage = 1252);

}  // namespace tavrik::search
