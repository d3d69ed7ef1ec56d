// Initialisation file text: sections, keys and the lines between them.
#include "settings/ini_document.h"

namespace tavrik::settings {
namespace {

char16_t Fold(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : static_cast<char16_t>(c - 0x20);  // à..þ, not ÷
    if (c == 0xFF) return 0x178;                                            // ÿ
    if (c == 0x3C2) return 0x3A3;                                           // final sigma
    if (c >= 0x3B1 && c <= 0x3C9) return static_cast<char16_t>(c - 0x20);  // α..ω
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);  // а..я
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);  // ѐ..џ, ё among them
    return c;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }

std::u16string_view TrimStart(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::u16string_view Trim(std::u16string_view text) {
    text = TrimStart(text);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<std::u16string_view> HeaderName(std::u16string_view line) {
    line = TrimStart(line);
    if (line.empty() || line.front() != u'[') return std::nullopt;
    const std::size_t close = line.find(u']');
    if (close == std::u16string_view::npos) return std::nullopt;  // the profile services see no section here either
    return Trim(line.substr(1, close - 1));
}

// Comments, blank lines, headers and lines without "=" hold no key.
std::optional<std::u16string_view> KeyName(std::u16string_view line) {
    line = TrimStart(line);
    if (line.empty() || line.front() == u';' || line.front() == u'[') return std::nullopt;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view key = Trim(line.substr(0, equals));
    if (key.empty()) return std::nullopt;
    return key;
}

std::u16string ValueOf(std::u16string_view line) {
    std::u16string_view value = Trim(line.substr(line.find(u'=') + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::u16string(value.substr(0, kMaxIniValue));
}

// A line break inside a name or value would make lines of its own: it becomes a blank.
std::u16string OneLine(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c == u'\r' || c == u'\n') c = u' ';
    return out;
}

// A reader trims blanks at the ends of a value and takes one pair of quotes off it, as the profile
// services do: such a value is written inside quotes, so it reads back as it was.
std::u16string KeyLine(std::u16string_view key, std::u16string_view value) {
    const std::u16string text = OneLine(value);
    const bool quoted = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
    if (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || quoted))
        return OneLine(key) + u"=\"" + text + u'"';
    return OneLine(key) + u'=' + text;
}

}  // namespace

bool SameIniName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

IniEncoding DetectIniEncoding(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") return IniEncoding::Utf16Le;
    if (bytes.substr(0, 2) == "\xFE\xFF") return IniEncoding::Utf16Be;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return IniEncoding::Utf8;
    return IniEncoding::Ansi;
}

std::size_t ByteOrderMarkSize(IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: return 2;
    case IniEncoding::Utf8: return 3;
    case IniEncoding::Ansi: break;
    }
    return 0;
}

IniDocument::IniDocument(std::u16string_view text, NameEquals equals) : equals_(equals) {
    while (!text.empty()) {
        const std::size_t newline = text.find(u'\n');
        if (newline == std::u16string_view::npos) {
            lines_.push_back({std::u16string(text), {}});
            break;
        }
        const bool crlf = newline > 0 && text[newline - 1] == u'\r';
        lines_.push_back({std::u16string(text.substr(0, crlf ? newline - 1 : newline)), crlf ? u"\r\n" : u"\n"});
        text.remove_prefix(newline + 1);
    }
}

std::u16string IniDocument::Text() const {
    std::u16string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    return text;
}

std::optional<IniDocument::Range> IniDocument::Find(std::u16string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i].text);
        if (!name || !equals_(*name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !HeaderName(lines_[end].text)) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const Range& range, std::u16string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = KeyName(lines_[i].text);
        if (name && equals_(*name, key)) return i;
    }
    return std::nullopt;
}

// New lines break as the file's own do.
std::u16string IniDocument::LineEnd() const {
    for (const Line& line : lines_)
        if (!line.end.empty()) return line.end;
    return u"\r\n";
}

void IniDocument::Insert(std::size_t at, std::u16string text) {
    const std::u16string end = LineEnd();
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), end});
}

IniDocument::Range IniDocument::AddSection(std::u16string_view section) {
    Insert(lines_.size(), u'[' + OneLine(section) + u']');
    return Range{lines_.size() - 1, lines_.size()};
}

std::optional<std::u16string> IniDocument::Get(std::u16string_view section, std::u16string_view key) const {
    const auto range = Find(section);
    if (!range) return std::nullopt;
    const auto at = FindKey(*range, key);
    if (!at) return std::nullopt;
    return ValueOf(lines_[*at].text);
}

std::vector<std::u16string> IniDocument::Keys(std::u16string_view section) const {
    std::vector<std::u16string> keys;
    for (auto& [key, value] : Entries(section)) keys.push_back(std::move(key));
    return keys;
}

IniEntries IniDocument::Entries(std::u16string_view section) const {
    IniEntries entries;
    const auto range = Find(section);
    if (!range) return entries;
    for (std::size_t i = range->header + 1; i < range->end; ++i)
        if (const auto key = KeyName(lines_[i].text)) entries.emplace_back(*key, ValueOf(lines_[i].text));
    return entries;
}

void IniDocument::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    auto range = Find(section);
    if (!range) {
        range = AddSection(section);
    } else if (const auto at = FindKey(*range, key)) {
        // The key keeps the spelling the file gives it.
        lines_[*at].text = KeyLine(*KeyName(lines_[*at].text), value);
        return;
    }
    std::size_t after = range->header + 1;
    for (std::size_t i = after; i < range->end; ++i)
        if (KeyName(lines_[i].text)) after = i + 1;
    Insert(after, KeyLine(key, value));
}

void IniDocument::Delete(std::u16string_view section, std::u16string_view key) {
    const auto range = Find(section);
    if (!range) return;
    // Every key of the name goes: a second one would otherwise come to light.
    std::size_t end = range->end;
    for (std::size_t i = range->header + 1; i < end;) {
        const auto name = KeyName(lines_[i].text);
        if (name && equals_(*name, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            --end;
        } else {
            ++i;
        }
    }
}

void IniDocument::EraseSection(std::u16string_view section) {
    while (const auto range = Find(section))
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
}

void IniDocument::ReplaceSection(std::u16string_view section, const IniEntries& entries) {
    auto range = Find(section);
    if (!range) {
        if (entries.empty()) return;
        range = AddSection(section);
    }
    std::size_t at = range->header + 1;
    while (at < range->end && !KeyName(lines_[at].text)) ++at;
    if (at == range->end) at = range->header + 1;

    // In one pass, as the list may hold hundreds of pages.
    const std::u16string end = LineEnd();
    if (at > 0 && lines_[at - 1].end.empty() && !entries.empty()) lines_[at - 1].end = end;
    std::vector<Line> lines(std::make_move_iterator(lines_.begin()),
                            std::make_move_iterator(lines_.begin() + static_cast<std::ptrdiff_t>(at)));
    for (const auto& [key, value] : entries) lines.push_back({KeyLine(key, value), end});
    for (std::size_t i = at; i < lines_.size(); ++i)
        if (i >= range->end || !KeyName(lines_[i].text)) lines.push_back(std::move(lines_[i]));
    lines_ = std::move(lines);
}

}  // namespace tavrik::settings
