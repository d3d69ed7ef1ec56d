// The text of an initialisation file, read and changed line by line so that whatever the program
// does not touch stays as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrik::settings {

using IniEntries = std::vector<std::pair<std::u16string, std::u16string>>;

// How section and key names are compared: without regard to case.
using NameEquals = bool (*)(std::u16string_view, std::u16string_view);

// Folds ASCII, Latin-1, basic Greek and Cyrillic; the Windows side passes the system's own folding.
bool SameIniName(std::u16string_view a, std::u16string_view b);

inline constexpr std::size_t kMaxIniValue = 2047;  // what a read of the profile services returns at most

enum class IniEncoding { Ansi, Utf16Le, Utf16Be, Utf8 };

// By the byte order mark; a file without one is in the ANSI code page.
IniEncoding DetectIniEncoding(std::string_view bytes);
std::size_t ByteOrderMarkSize(IniEncoding encoding);

class IniDocument {
public:
    explicit IniDocument(std::u16string_view text = {}, NameEquals equals = SameIniName);

    std::u16string Text() const;

    // As the profile services read: blanks around taken off, one pair of quotes removed, cut to
    // 2047 characters. The first of several keys of one name counts.
    std::optional<std::u16string> Get(std::u16string_view section, std::u16string_view key) const;
    std::vector<std::u16string> Keys(std::u16string_view section) const;  // in file order
    IniEntries Entries(std::u16string_view section) const;

    // A new key goes after the last key of its section; a missing section is added at the end.
    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void Delete(std::u16string_view section, std::u16string_view key);
    void EraseSection(std::u16string_view section);
    // Every key of the section replaced by these, where its first key stood; comments stay.
    void ReplaceSection(std::u16string_view section, const IniEntries& entries);

private:
    struct Line {
        std::u16string text;
        std::u16string end;  // "\r\n", "\n", or nothing on a last line without one
    };
    struct Range {
        std::size_t header, end;  // the header line, and the line after the section
    };

    std::optional<Range> Find(std::u16string_view section) const;
    Range AddSection(std::u16string_view section);
    std::optional<std::size_t> FindKey(const Range& range, std::u16string_view key) const;
    std::u16string LineEnd() const;
    void Insert(std::size_t at, std::u16string text);

    std::vector<Line> lines_;
    NameEquals equals_;
};

}  // namespace tavrik::settings
