// (Win32) Page editors: the rich-edit control set up for a page, and its text streamed in and out.
#include "editor/page_editor.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/comctl.h"
#include "editor/rich_ole.h"
#include "editor/text_mode.h"
#include "pages/page_format.h"
#include "app/file_io.h"
#include "pages/page_book.h"

namespace tavrik::editor {
namespace {

struct MemoryIn {
    std::string_view data;
    size_t pos = 0;
};

DWORD CALLBACK ReadFromMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* in = reinterpret_cast<MemoryIn*>(cookie);
    const size_t n = std::min(static_cast<size_t>(wanted), in->data.size() - in->pos);
    memcpy(buffer, in->data.data() + in->pos, n);
    in->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

struct FileOut {
    HANDLE file;
    pages::ContentHasher* hasher;
    DWORD error = ERROR_SUCCESS;
};

DWORD CALLBACK WriteToFile(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* out = reinterpret_cast<FileOut*>(cookie);
    if (!app::WriteAll(out->file, buffer, static_cast<size_t>(size))) {
        out->error = GetLastError();
        *done = 0;
        return 1;  // stops the stream
    }
    if (out->hasher) out->hasher->Add({reinterpret_cast<const char*>(buffer), static_cast<size_t>(size)});
    *done = size;
    return 0;
}

DWORD CALLBACK WriteToString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    *done = size;
    return 0;
}

// Returns false when the control reports an error in the stream.
bool StreamIn(HWND editor, std::string_view bytes, WPARAM format) {
    MemoryIn in{bytes};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&in), 0, ReadFromMemory};
    SendMessageW(editor, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

// `utf8WithoutMark` tells text that other editors wrote in UTF-8 without a byte order mark: read
// as ANSI, its Cyrillic would turn to nonsense, and be saved that way.
std::wstring Decode(std::string_view bytes, bool& utf8WithoutMark) {
    const pages::TextBody text = pages::SplitByteOrderMark(bytes);
    utf8WithoutMark = text.encoding == pages::TextEncoding::Ansi && pages::IsUtf8BeyondAscii(text.body);
    if (text.encoding == pages::TextEncoding::Utf16Le)
        return std::wstring(reinterpret_cast<const wchar_t*>(text.body.data()), text.body.size() / 2);
    const UINT codePage = text.encoding == pages::TextEncoding::Utf8 || utf8WithoutMark ? CP_UTF8 : CP_ACP;
    const int size = static_cast<int>(text.body.size());
    const int n = MultiByteToWideChar(codePage, 0, text.body.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.body.data(), size, wide.data(), n);
    return wide;
}

// The text of a rich-text document, through a control of its own; nullopt when it is refused.
std::optional<std::wstring> RtfText(std::string_view rtf) {
    const ScratchEditor scratch(CharFormat{});
    if (!scratch.Handle() || !StreamIn(scratch.Handle(), rtf, SF_RTF)) return std::nullopt;
    return GetText(scratch.Handle());
}

bool QuotesRtf(std::wstring_view text) {
    return pages::LooksLikeWholeRtf(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

// Marks an editor whose plain text came as UTF-8 without a byte order mark: it is written back
// the same way, for the programs that share the file with us.
const wchar_t* Utf8Mark() {
    static const ATOM atom = GlobalAddAtomW(L"Tavrik.PlainUtf8");
    return MAKEINTATOM(atom);
}

void MarkUtf8(HWND editor, bool on) {
    if (on) (void)SetPropW(editor, Utf8Mark(), reinterpret_cast<HANDLE>(1));  // unmarked: written as before
    else (void)RemovePropW(editor, Utf8Mark());
}

// The text in the ANSI code page when it holds every character, or nullopt.
std::optional<std::string> ToAnsiExactly(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return std::nullopt;
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, ansi.data(), n, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return ansi;
}

std::string ToUtf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

}  // namespace

COLORREF ResolveColor(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0x00FFFFFFu);
}

bool LoadRichEditLibrary() {
    app::comctl::EnsureOle();  // objects and dragging in the editors need it
    static const HMODULE module = LoadLibraryW(L"Msftedit.dll");
    return module != nullptr;
}

HWND CreatePageEditor(HWND parent, int id, const EditorSetup& setup) {
    if (!LoadRichEditLibrary()) return nullptr;
    const DWORD style = WS_CHILD | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_WANTRETURN |
                        ES_NOHIDESEL | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    HWND editor = CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"", style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!editor) return nullptr;
    // The text mode can only change while the control is empty.
    SendMessageW(editor, EM_SETTEXTMODE,
                 (setup.plainText ? TM_PLAINTEXT : TM_RICHTEXT) | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);  // the default stops typing at 32 K characters
    SendMessageW(editor, EM_SETOPTIONS, ECOOP_OR, ECO_AUTOWORDSELECTION);
    SendMessageW(editor, EM_AUTOURLDETECT, TRUE, 0);
    AllowObjects(editor);
    SendMessageW(editor, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ResolveColor(setup.background)));
    SetWordWrap(editor, setup.wordWrap);
    if (setup.defaultFormat) SetDefaultCharFormat(editor, *setup.defaultFormat);
    if (setup.spelling) SetSpelling(editor, true);
    // Key events: the paste keys run the program's Paste, not the control's.
    SendMessageW(editor, EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_LINK | ENM_MOUSEEVENTS | ENM_KEYEVENTS | ENM_CHANGE);
    return editor;
}

void SetSpelling(HWND editor, bool on) {
    // The checker is a text service: the control must use the text services framework for it.
    constexpr LPARAM kSpellChecking = IMF_SPELLCHECKING;
    constexpr WPARAM kTextServices = SES_USECTF | SES_CTFALLOWPROOFING;
    const auto options = static_cast<LPARAM>(SendMessageW(editor, EM_GETLANGOPTIONS, 0, 0));
    SendMessageW(editor, EM_SETLANGOPTIONS, 0, on ? options | kSpellChecking : options & ~kSpellChecking);
    if (on) SendMessageW(editor, EM_SETEDITSTYLE, kTextServices, kTextServices);
}

void SetWordWrap(HWND editor, bool on) {
    // Line width 0 wraps at the window's edge; 1 (with no device) never wraps.
    SendMessageW(editor, EM_SETTARGETDEVICE, 0, on ? 0 : 1);
}

void SetDefaultCharFormat(HWND editor, const CharFormat& format) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET;
    lstrcpynW(cf.szFaceName, format.face.c_str(), LF_FACESIZE);
    cf.yHeight = format.sizePoints * 20;
    cf.crTextColor = ResolveColor(format.color);
    cf.bCharSet = DEFAULT_CHARSET;
    if (format.style & 1) cf.dwEffects |= CFE_BOLD;
    if (format.style & 2) cf.dwEffects |= CFE_ITALIC;
    if (format.style & 4) cf.dwEffects |= CFE_UNDERLINE;
    if (format.style & 8) cf.dwEffects |= CFE_STRIKEOUT;
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

void LoadPageBytes(HWND editor, std::string_view bytes, bool plainMode) {
    MarkUtf8(editor, false);
    if (!plainMode && pages::LooksLikeRtf(bytes)) {
        if (StreamIn(editor, bytes, SF_RTF)) return;
        SetWindowTextW(editor, L"");  // damaged rich text: show what the file holds, as text
    }
    // A page file still in rich text in plain mode: one that could not be converted when the pages
    // became plain text. Its markup shown as text would be saved as the page's text.
    if (plainMode && pages::LooksLikeWholeRtf(bytes)) {
        if (const auto text = RtfText(bytes)) {
            SetPlainText(editor, *text);
            return;
        }
    }
    bool utf8 = false;
    SetPlainText(editor, Decode(bytes, utf8));
    MarkUtf8(editor, utf8);
}

bool WritePage(HWND editor, HANDLE file, bool plainMode, std::uint64_t* hash) {
    if (plainMode) {
        const std::wstring text = GetText(editor);
        // The mark keeps such text from being read as rich text: no rich text starts with one.
        const bool quotesRtf = QuotesRtf(text);
        std::string bytes;
        if (GetPropW(editor, Utf8Mark()) && !quotesRtf) bytes = ToUtf8(text);
        else if (auto ansi = quotesRtf ? std::nullopt : ToAnsiExactly(text)) bytes = std::move(*ansi);
        else bytes = std::string(pages::kUtf8Bom) + ToUtf8(text);
        if (hash) *hash = pages::ContentHash(bytes);
        return app::WriteAll(file, bytes.data(), bytes.size());
    }
    pages::ContentHasher hasher;
    FileOut out{file, hash ? &hasher : nullptr};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, WriteToFile};
    SendMessageW(editor, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (out.error != ERROR_SUCCESS || stream.dwError != 0) {
        SetLastError(out.error != ERROR_SUCCESS ? out.error : ERROR_WRITE_FAULT);
        return false;
    }
    if (hash) *hash = hasher.Value();
    return true;
}

void SetPlainText(HWND editor, std::wstring_view text) {
    // cppcheck-suppress danglingTemporaryLifetime ; a view of the caller's text, which outlives the call
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    (void)StreamIn(editor, bytes, SF_TEXT | SF_UNICODE);  // from memory: nothing can fail to arrive
}

std::wstring GetText(HWND editor) {
    std::string bytes;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&bytes), 0, WriteToString};
    SendMessageW(editor, EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

int GetCaret(HWND editor) {
    CHARRANGE range{};
    SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

void SetCaret(HWND editor, int position) {
    CHARRANGE range{position, position};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::u16string CaretText(HWND editor) {
    GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT length = SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&count), 0);
    if (length <= 0) return {};
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>(text.size() * sizeof(char16_t));
    request.flags = GT_DEFAULT;
    request.codepage = 1200;
    const LRESULT got =
        SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool IsWordChar(char16_t c) {
    // A character beyond the first plane comes as two units; take it for a letter.
    return c == u'_' || (c >= 0xD800 && c <= 0xDFFF) || IsCharAlphaNumericW(static_cast<wchar_t>(c));
}

}  // namespace tavrik::editor
