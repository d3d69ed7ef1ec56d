// Reading a page file's text without an editor: one pass over rich text that keeps what the
// control shows, and plain text decoded as the editor decodes it.
#include "search/text_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "pages/code_pages.h"
#include "pages/page_format.h"

namespace tavrik::search {

using pages::CharsetCodePage;
using pages::CodePageTable;
using pages::HighHalf;
using pages::IsUtf8BeyondAscii;
using pages::LooksLikeRtf;
using pages::LooksLikeWholeRtf;
using pages::SplitByteOrderMark;
using pages::TextBody;
using pages::TextEncoding;
namespace {

constexpr char16_t kObjectChar = 0xFFFC;   // what the control holds for a picture or an object
constexpr char16_t kReplacement = 0xFFFD;  // MultiByteToWideChar's stand-in for broken UTF-8
// Deeper groups share the state of the deepest one kept: a hostile file cannot make the stack
// grow past this, and no real page comes near it.
constexpr std::size_t kMaxDepth = 1024;
constexpr std::int32_t kMaxFontNumber = 4095;

const HighHalf& TableOr1252(int codePage) {
    static const HighHalf& western = *CodePageTable(1252);
    const HighHalf* table = CodePageTable(codePage);
    return table ? *table : western;
}

enum class Kind : std::uint8_t {
    Ignored,       // formatting, and every word not known here
    Char,          // a character of its own: \tab, \emdash ...
    Paragraph,     // "\r"
    SkipGroup,     // a destination holding nothing the control shows
    KeepText,      // a destination whose text is shown, also behind \*
    FontTable,
    Picture,
    Object,
    ObjectResult,
    Unicode,       // \uN
    UnicodeSkip,   // \ucN
    Binary,        // \binN
    Font,          // \fN
    Charset,       // \fcharsetN
    FontCodePage,  // \cpgN
    AnsiCodePage,  // \ansicpgN
    DefaultFont,   // \deffN
    Plain,         // \plain: back to the default font
};

struct Word {
    std::string_view name;
    Kind kind;
    char16_t ch = 0;
};

constexpr Word kWords[] = {
    // Paragraph breaks, as the control reads them. Table cells and rows are kept apart by a tab
    // and a break, so their words never run together for a search.
    {"par", Kind::Paragraph}, {"sect", Kind::Paragraph}, {"page", Kind::Paragraph},
    {"row", Kind::Paragraph}, {"nestrow", Kind::Paragraph},
    {"cell", Kind::Char, u'\t'}, {"nestcell", Kind::Char, u'\t'},
    {"line", Kind::Char, 0x000B},  // a line break inside the paragraph
    {"tab", Kind::Char, u'\t'},
    {"emdash", Kind::Char, 0x2014}, {"endash", Kind::Char, 0x2013},
    {"emspace", Kind::Char, 0x2003}, {"enspace", Kind::Char, 0x2002}, {"qmspace", Kind::Char, 0x2005},
    {"lquote", Kind::Char, 0x2018}, {"rquote", Kind::Char, 0x2019},
    {"ldblquote", Kind::Char, 0x201C}, {"rdblquote", Kind::Char, 0x201D},
    {"bullet", Kind::Char, 0x2022},
    {"zwbo", Kind::Char, 0x200B}, {"zwnj", Kind::Char, 0x200C}, {"zwj", Kind::Char, 0x200D},
    {"ltrmark", Kind::Char, 0x200E}, {"rtlmark", Kind::Char, 0x200F},

    {"fonttbl", Kind::FontTable},
    {"colortbl", Kind::SkipGroup}, {"stylesheet", Kind::SkipGroup}, {"info", Kind::SkipGroup},
    {"listtable", Kind::SkipGroup}, {"listoverridetable", Kind::SkipGroup}, {"rsidtbl", Kind::SkipGroup},
    {"generator", Kind::SkipGroup}, {"revtbl", Kind::SkipGroup}, {"filetbl", Kind::SkipGroup},
    {"pgdsctbl", Kind::SkipGroup}, {"xmlnstbl", Kind::SkipGroup}, {"themedata", Kind::SkipGroup},
    {"colorschememapping", Kind::SkipGroup}, {"latentstyles", Kind::SkipGroup},
    {"datastore", Kind::SkipGroup}, {"template", Kind::SkipGroup}, {"userprops", Kind::SkipGroup},
    {"docvar", Kind::SkipGroup}, {"private", Kind::SkipGroup},
    {"header", Kind::SkipGroup}, {"headerl", Kind::SkipGroup}, {"headerr", Kind::SkipGroup},
    {"headerf", Kind::SkipGroup}, {"footer", Kind::SkipGroup}, {"footerl", Kind::SkipGroup},
    {"footerr", Kind::SkipGroup}, {"footerf", Kind::SkipGroup}, {"footnote", Kind::SkipGroup},
    {"annotation", Kind::SkipGroup}, {"atnid", Kind::SkipGroup}, {"atnauthor", Kind::SkipGroup},
    {"xe", Kind::SkipGroup}, {"tc", Kind::SkipGroup}, {"txe", Kind::SkipGroup},
    {"fldinst", Kind::SkipGroup},
    // List numbers written for older readers: the control draws its own and keeps them out of the text.
    {"pntext", Kind::SkipGroup}, {"listtext", Kind::SkipGroup}, {"pn", Kind::SkipGroup},
    {"pntxta", Kind::SkipGroup}, {"pntxtb", Kind::SkipGroup},
    // A picture comes twice from some writers: the control takes \shppict and leaves the other.
    {"shppict", Kind::KeepText}, {"nonshppict", Kind::SkipGroup}, {"shp", Kind::SkipGroup},
    {"fldrslt", Kind::KeepText},
    {"pict", Kind::Picture},
    {"object", Kind::Object}, {"result", Kind::ObjectResult},
    {"objdata", Kind::SkipGroup}, {"objclass", Kind::SkipGroup}, {"objname", Kind::SkipGroup},
    {"objalias", Kind::SkipGroup}, {"objsect", Kind::SkipGroup}, {"objitem", Kind::SkipGroup},
    {"objtopic", Kind::SkipGroup}, {"objtime", Kind::SkipGroup},

    {"u", Kind::Unicode}, {"uc", Kind::UnicodeSkip}, {"bin", Kind::Binary},
    {"f", Kind::Font}, {"fcharset", Kind::Charset}, {"cpg", Kind::FontCodePage},
    {"ansicpg", Kind::AnsiCodePage}, {"deff", Kind::DefaultFont}, {"plain", Kind::Plain},
};

constexpr std::size_t kLongestWord = 20;

constexpr std::uint32_t Hash(std::string_view name) {
    std::uint32_t h = 2166136261u;
    for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// Open addressing over 256 slots for about ninety words: a probe or two per control word.
class WordTable {
public:
    WordTable() {
        slots_.fill(kEmpty);
        for (std::size_t i = 0; i < std::size(kWords); ++i) {
            std::size_t slot = Hash(kWords[i].name) & kMask;
            while (slots_[slot] != kEmpty) slot = (slot + 1) & kMask;
            slots_[slot] = static_cast<std::uint8_t>(i);
        }
    }
    const Word* Find(std::string_view name) const {
        if (name.size() > kLongestWord) return nullptr;
        for (std::size_t slot = Hash(name) & kMask;; slot = (slot + 1) & kMask) {
            if (slots_[slot] == kEmpty) return nullptr;
            if (kWords[slots_[slot]].name == name) return &kWords[slots_[slot]];
        }
    }

private:
    static constexpr std::uint8_t kEmpty = 0xFF;
    static constexpr std::size_t kMask = 255;
    static_assert(std::size(kWords) < 200);
    std::array<std::uint8_t, 256> slots_{};
};

constexpr bool IsLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr int HexValue(unsigned char c) {
    if (IsDigit(c)) return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
    return -1;
}

// Printable ASCII that is text as it stands: everything but the three that rich text reserves.
constexpr std::array<bool, 256> kPlainText = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c) plain[c] = c != '\\' && c != '{' && c != '}';
    return plain;
}();

enum class Dest : std::uint8_t { Text, Fonts, Skip };

struct Group {
    const HighHalf* table;  // for \'hh and bytes over 0x7F
    std::int32_t ucSkip = 1;
    Dest dest = Dest::Text;
};

struct FontCodePages {
    std::int32_t fromCharset = 0;
    std::int32_t fromCpg = 0;
};

class RtfReader {
public:
    RtfReader(std::string_view rtf, int ansiCodePage)
        : data_(reinterpret_cast<const unsigned char*>(rtf.data())),
          size_(rtf.size()),
          docTable_(&TableOr1252(ansiCodePage)) {
        top_.table = docTable_;
    }

    std::u16string Read();
    bool Closed() const { return closed_; }  // the document's own group was closed

private:
    void OpenGroup();
    bool CloseGroup();  // false when it closes the document
    void Control();
    void HandleSymbol(unsigned char c);
    void HandleWord(const Word* word, std::int32_t value);
    const HighHalf* FontTable(std::int32_t font) const;
    FontCodePages* DefinedFont();

    void Put(char16_t c) {
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (top_.dest == Dest::Text && c != 0) out_[length_++] = c;
    }
    void PutByte(unsigned char b) { Put(b < 0x80 ? char16_t{b} : (*top_.table)[b - 0x80]); }
    void SkippedToken() {
        if (pendingSkip_ > 0) --pendingSkip_;
    }

    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    char16_t* out_ = nullptr;
    std::size_t length_ = 0;
    std::size_t lastBreakEnd_ = std::numeric_limits<std::size_t>::max();

    Group top_;
    std::vector<Group> outer_;  // the groups around top_, inside the document's own
    std::size_t excessDepth_ = 0;
    std::int32_t pendingSkip_ = 0;  // replacement characters still to skip after \uN
    bool star_ = false;             // \* seen: the next word's destination is ignorable

    const HighHalf* docTable_;
    std::vector<FontCodePages> fonts_;
    std::int32_t definedFont_ = -1;
    std::int32_t defaultFont_ = -1;
    std::ptrdiff_t objectDepth_ = -1;  // depth of the \object group being read, or -1
    bool objectResult_ = false;
    bool closed_ = false;
};

std::u16string RtfReader::Read() {
    std::u16string text;
    const std::size_t open = std::string_view(reinterpret_cast<const char*>(data_), size_).find('{');
    if (open == std::string_view::npos) return text;
    // Every character read takes at least one byte, so the text fits in as many units as bytes.
    text.resize(size_);
    out_ = text.data();
    pos_ = open + 1;
    while (pos_ < size_) {
        const unsigned char b = data_[pos_];
        if (kPlainText[b]) {
            if (pendingSkip_ == 0 && top_.dest == Dest::Text) {
                std::size_t p = pos_;
                char16_t* out = out_ + length_;
                while (p < size_ && kPlainText[data_[p]]) *out++ = data_[p++];
                length_ = static_cast<std::size_t>(out - out_);
                pos_ = p;
            } else if (top_.dest != Dest::Text) {
                while (pos_ < size_ && kPlainText[data_[pos_]]) ++pos_;
            } else {
                SkippedToken();
                ++pos_;
            }
            continue;
        }
        switch (b) {
        case '{':
            ++pos_;
            OpenGroup();
            break;
        case '}':
            ++pos_;
            if (!CloseGroup()) {
                closed_ = true;
                pos_ = size_;  // whatever follows the document is not part of it
            }
            break;
        case '\\':
            Control();
            break;
        case '\t':
            ++pos_;
            Put(u'\t');
            break;
        default:
            ++pos_;
            if (b >= 0x80) PutByte(b);  // line breaks and other control bytes in the source are not text
            break;
        }
    }
    // The control takes a break at the very end for the one every document ends with, unseen.
    if (length_ > 0 && lastBreakEnd_ == length_) --length_;
    out_ = nullptr;  // the buffer is the caller's from here on
    text.resize(length_);
    if (text.size() < size_ / 2) text.shrink_to_fit();
    return text;
}

void RtfReader::OpenGroup() {
    pendingSkip_ = 0;
    star_ = false;
    if (outer_.size() < kMaxDepth) outer_.push_back(top_);
    else ++excessDepth_;
}

bool RtfReader::CloseGroup() {
    pendingSkip_ = 0;
    star_ = false;
    if (excessDepth_ > 0) {
        --excessDepth_;
        return true;
    }
    if (outer_.empty()) return false;
    const Group closed = top_;
    const bool closesObject = objectDepth_ == static_cast<std::ptrdiff_t>(outer_.size());
    top_ = outer_.back();
    outer_.pop_back();
    // The default font's charset is known once the font table is read, and rules text without \f.
    if (closed.dest == Dest::Fonts && top_.dest == Dest::Text && defaultFont_ >= 0)
        top_.table = FontTable(defaultFont_);
    if (closesObject) {
        // An object without a result shows as itself; with one, the result stands for it.
        if (!objectResult_) Put(kObjectChar);
        objectDepth_ = -1;
    }
    return true;
}

void RtfReader::Control() {
    std::size_t p = pos_ + 1;
    if (p >= size_) {
        pos_ = size_;
        return;
    }
    if (!IsLetter(data_[p])) {
        pos_ = p + 1;
        HandleSymbol(data_[p]);
        return;
    }
    static const WordTable words;
    const std::size_t nameStart = p;
    while (p < size_ && IsLetter(data_[p])) ++p;
    const std::string_view name(reinterpret_cast<const char*>(data_ + nameStart), p - nameStart);
    const bool negative = p + 1 < size_ && data_[p] == '-' && IsDigit(data_[p + 1]);
    if (negative) ++p;
    std::int64_t param = 0;
    while (p < size_ && IsDigit(data_[p])) {
        if (param <= std::numeric_limits<std::int32_t>::max()) param = param * 10 + (data_[p] - '0');
        ++p;
    }
    if (p < size_ && data_[p] == ' ') ++p;  // the delimiter belongs to the word
    pos_ = p;
    param = std::min<std::int64_t>(param, std::numeric_limits<std::int32_t>::max());
    HandleWord(words.Find(name), static_cast<std::int32_t>(negative ? -param : param));
}

void RtfReader::HandleSymbol(unsigned char c) {
    switch (c) {
    case '\'': {
        const int high = pos_ < size_ ? HexValue(data_[pos_]) : -1;
        const int low = pos_ + 1 < size_ ? HexValue(data_[pos_ + 1]) : -1;
        if (high < 0 || low < 0) {  // damaged: no character, and the next byte is read as it is
            if (high >= 0) ++pos_;
            SkippedToken();
            return;
        }
        pos_ += 2;
        PutByte(static_cast<unsigned char>(high * 16 + low));
        return;
    }
    case '\\':
    case '{':
    case '}': Put(c); return;
    case '~': Put(0x00A0); return;
    case '_': Put(0x2011); return;
    case '-': Put(0x00AD); return;
    case '\r':
    case '\n':  // a backslash ending a source line is a paragraph break
        HandleWord(&kWords[0], 0);  // as \par
        return;
    case '*':
        if (pendingSkip_ == 0) star_ = true;
        SkippedToken();
        return;
    default: SkippedToken(); return;
    }
}

void RtfReader::HandleWord(const Word* word, std::int32_t value) {
    const Kind kind = word ? word->kind : Kind::Ignored;
    const bool star = star_;
    star_ = false;
    if (kind == Kind::Binary) {  // raw bytes follow: never read as rich text
        pos_ += std::min<std::size_t>(static_cast<std::size_t>(std::max(value, 0)), size_ - pos_);
        SkippedToken();
        return;
    }
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return;
    }
    if (star && kind != Kind::KeepText) {
        top_.dest = Dest::Skip;
        return;
    }
    switch (kind) {
    case Kind::Ignored:
    case Kind::Binary:
    case Kind::KeepText: break;
    case Kind::Char: Put(word->ch); break;
    case Kind::Paragraph:
        if (top_.dest == Dest::Text) {
            Put(u'\r');
            lastBreakEnd_ = length_;
        }
        break;
    case Kind::SkipGroup: top_.dest = Dest::Skip; break;
    case Kind::FontTable:
        if (top_.dest != Dest::Skip) top_.dest = Dest::Fonts;
        break;
    case Kind::Picture:
        Put(kObjectChar);
        top_.dest = Dest::Skip;
        break;
    case Kind::Object:
        if (top_.dest == Dest::Text && objectDepth_ < 0 && excessDepth_ == 0) {
            objectDepth_ = static_cast<std::ptrdiff_t>(outer_.size());
            objectResult_ = false;
        }
        break;
    case Kind::ObjectResult:
        if (objectDepth_ >= 0) objectResult_ = true;
        break;
    case Kind::Unicode:
        // Signed 16 bits in the file: \u-1025 is U+FBFF.
        Put(static_cast<char16_t>(static_cast<std::uint32_t>(value)));
        pendingSkip_ = top_.ucSkip;
        break;
    case Kind::UnicodeSkip: top_.ucSkip = std::max(value, 0); break;
    case Kind::Font:
        if (top_.dest == Dest::Fonts) definedFont_ = value;
        else top_.table = FontTable(value);
        break;
    case Kind::Charset:
        if (FontCodePages* font = DefinedFont()) font->fromCharset = CharsetCodePage(value);
        break;
    case Kind::FontCodePage:
        if (FontCodePages* font = DefinedFont()) font->fromCpg = value;
        break;
    case Kind::AnsiCodePage:
        docTable_ = &TableOr1252(value);
        top_.table = docTable_;
        break;
    case Kind::DefaultFont: defaultFont_ = value; break;
    case Kind::Plain: top_.table = FontTable(defaultFont_); break;
    }
}

FontCodePages* RtfReader::DefinedFont() {
    if (top_.dest != Dest::Fonts || definedFont_ < 0 || definedFont_ > kMaxFontNumber) return nullptr;
    const auto index = static_cast<std::size_t>(definedFont_);
    if (fonts_.size() <= index) fonts_.resize(index + 1);
    return &fonts_[index];
}

// The control decodes a run in its font's charset, whatever \ansicpg says; a font that names no
// charset of its own (or none known here) leaves the document's code page.
const HighHalf* RtfReader::FontTable(std::int32_t font) const {
    if (font < 0 || static_cast<std::size_t>(font) >= fonts_.size()) return docTable_;
    const FontCodePages& pages = fonts_[static_cast<std::size_t>(font)];
    if (const HighHalf* table = CodePageTable(pages.fromCpg)) return table;
    if (pages.fromCharset != 0) return &TableOr1252(pages.fromCharset);
    return docTable_;
}

// "\r\n", "\n" and "\r" all end a paragraph in the control; it holds each as one "\r".
void OneBreakPerParagraph(std::u16string& text) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        else if (c == u'\n') c = u'\r';
        text[out++] = c;
    }
    text.resize(out);
}

// Each broken sequence, up to where it stops being UTF-8, becomes one U+FFFD.
std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        std::uint32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        std::size_t k = 1;
        for (; k < length && i + k < bytes.size(); ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) break;
            code = (code << 6) | (c & 0x3F);
        }
        i += k;
        if (length == 0 || k < length) {
            text.push_back(kReplacement);
        } else if (code >= 0x10000) {
            text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
    }
    return text;
}

}  // namespace

std::u16string RtfPlainText(std::string_view rtf, int ansiCodePage) {
    return RtfReader(rtf, ansiCodePage).Read();
}

std::u16string PlainPageText(std::string_view bytes, int ansiCodePage) {
    const TextBody body = SplitByteOrderMark(bytes);
    std::u16string text;
    if (body.encoding == TextEncoding::Utf16Le) {
        text.resize(body.body.size() / 2);  // an odd last byte is no character
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char16_t>(static_cast<unsigned char>(body.body[2 * i]) |
                                            static_cast<unsigned char>(body.body[2 * i + 1]) << 8);
    } else if (body.encoding == TextEncoding::Utf8 || IsUtf8BeyondAscii(body.body)) {
        text = DecodeUtf8(body.body);
    } else {
        const HighHalf& table = TableOr1252(ansiCodePage);
        text.resize(body.body.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(body.body[i]);
            text[i] = b < 0x80 ? char16_t{b} : table[b - 0x80];
        }
    }
    OneBreakPerParagraph(text);
    return text;
}

std::u16string ReadPageText(std::string_view bytes, bool plainMode, int ansiCodePage) {
    if (plainMode ? LooksLikeWholeRtf(bytes) : LooksLikeRtf(bytes)) {
        RtfReader reader(bytes, ansiCodePage);
        std::u16string text = reader.Read();
        // The control reports a document whose groups are not all closed as an error, and the
        // editor then shows the file as it is, markup and all.
        if (reader.Closed()) return text;
    }
    return PlainPageText(bytes, ansiCodePage);
}

}  // namespace tavrik::search
