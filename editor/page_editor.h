// (Win32) One page's rich-edit control: creation and set-up, text in and out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrik::editor {

// Face, size in points, colour and style bits (bold 1, italic 2, underline 4, strikeout 8).
struct CharFormat {
    std::wstring face;
    int sizePoints = 10;
    std::int32_t color = 0;
    std::int32_t style = 0;
};

struct EditorSetup {
    bool plainText = false;
    bool wordWrap = true;
    std::int32_t background = 0xFFFFFF;
    std::optional<CharFormat> defaultFormat;  // text that carries no format of its own
    bool spelling = false;
};

// A stored colour: 0x00BBGGRR, or a system colour index with the top bit set.
COLORREF ResolveColor(std::int32_t stored);

// Misspelt words underlined as one types, in the keyboard's language. Only Windows 8 and later's
// control checks spelling; older ones and Wine's take the flags and do nothing.
void SetSpelling(HWND editor, bool on);

// Loads the rich-edit library once; false when the system has none.
bool LoadRichEditLibrary();

// Created hidden; the parent places it.
HWND CreatePageEditor(HWND parent, int id, const EditorSetup& setup);

void SetWordWrap(HWND editor, bool on);
void SetDefaultCharFormat(HWND editor, const CharFormat& format);

// Loads a page file's bytes: rich text when the editor is in rich mode and the bytes are rich
// text the control accepts; anything else is shown as text, so nothing in the file is hidden. In
// plain mode a whole rich-text document shows its text, without the markup.
// Text is read by its byte order mark, as UTF-8 when it is valid UTF-8 beyond ASCII, and in the
// ANSI code page otherwise.
void LoadPageBytes(HWND editor, std::string_view bytes, bool plainMode);

// Writes the page as the page file holds it: rich text, or plain text in the ANSI code page when
// that holds every character and in UTF-8 with a byte order mark when not; plain text that came
// in UTF-8 without a mark goes back the same way. Text that reads like a whole rich-text document
// always gets the mark. `hash`, when given, becomes the hash of the bytes written.
bool WritePage(HWND editor, HANDLE file, bool plainMode, std::uint64_t* hash = nullptr);

// Replaces the whole content with `text`, taken as text also when it starts like rich text.
void SetPlainText(HWND editor, std::wstring_view text);
std::wstring GetText(HWND editor);  // as plain text, paragraphs ending in "\r\n"
// The text as the caret counts it: one "\r" a paragraph, one unit an object.
std::u16string CaretText(HWND editor);
// What a whole-word search takes for part of a word: letters, digits and "_"; a character beyond
// the first plane comes as two units and is taken for a letter.
bool IsWordChar(char16_t c);
int GetCaret(HWND editor);
void SetCaret(HWND editor, int position);

}  // namespace tavrik::editor
