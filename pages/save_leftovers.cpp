// Names of the temporary files of saves, and what a leftover one is worth.
#include "pages/save_leftovers.h"

#include "pages/page_format.h"

#include <algorithm>

namespace tavrik::pages {
namespace {
constexpr std::u16string_view kMark = u"~tvk";
constexpr std::u16string_view kEnd = u".tmp";
constexpr std::u16string_view kPageExtension = u".tvk";
// Without the long path prefix a path stays under 260 characters, its closing zero included, and
// no file system holds a name longer than 255.
constexpr std::size_t kMaxPath = 259;
constexpr std::size_t kMaxName = 255;

std::u16string Digits(std::uint64_t n) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n != 0);
    return text;
}

// Strips a run of 1 to 20 digits from the end of `s`.
bool StripNumber(std::u16string_view& s) {
    std::size_t n = 0;
    while (n < s.size() && n < 21 && s[s.size() - 1 - n] >= u'0' && s[s.size() - 1 - n] <= u'9') ++n;
    if (n == 0 || n > 20) return false;
    s.remove_suffix(n);
    return true;
}

bool EndsWithNoCase(std::u16string_view s, std::u16string_view end) {
    if (s.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        char16_t c = s[s.size() - end.size() + i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != end[i]) return false;
    }
    return true;
}

}  // namespace

std::u16string SaveTempName(std::u16string_view fileName, std::size_t folderLength, std::uint32_t pid,
                            std::uint64_t tick) {
    std::u16string nameless(kMark);
    nameless += Digits(pid) + u"_" + Digits(tick) + std::u16string(kEnd);
    // The page's name in it tells whose a leftover is; a page name near the limits goes without.
    const std::size_t named = fileName.size() + 1 + nameless.size();
    if (fileName.empty() || named > kMaxName || folderLength + named > kMaxPath) return nameless;
    return std::u16string(fileName) + u"." + nameless;
}

std::optional<SaveLeftover> RecogniseSaveLeftover(std::u16string_view name) {
    if (!name.ends_with(kEnd)) return std::nullopt;
    name.remove_suffix(kEnd.size());
    if (!StripNumber(name) || !name.ends_with(u'_')) return std::nullopt;
    name.remove_suffix(1);
    if (!StripNumber(name) || !name.ends_with(kMark)) return std::nullopt;
    name.remove_suffix(kMark.size());
    if (name.empty()) return SaveLeftover{};
    if (name.size() < 2 || name.back() != u'.') return std::nullopt;
    name.remove_suffix(1);
    return SaveLeftover{std::u16string(name)};
}

std::optional<std::u16string> PageOfFile(std::u16string_view fileName) {
    if (fileName.size() <= kPageExtension.size() || !EndsWithNoCase(fileName, kPageExtension)) return std::nullopt;
    return std::u16string(fileName.substr(0, fileName.size() - kPageExtension.size()));
}

bool AnyLeftover(const std::vector<std::u16string>& fileNames) {
    return std::any_of(fileNames.begin(), fileNames.end(), [](const std::u16string& name) {
        return RecogniseSaveLeftover(name) || IsFolderMoveLeftover(name);
    });
}

bool IsFolderMoveLeftover(std::u16string_view name) {
    constexpr std::u16string_view kMove = u"~tvkmove";
    if (!name.starts_with(kMove) || !name.ends_with(kEnd)) return false;
    name.remove_prefix(kMove.size());
    name.remove_suffix(kEnd.size());
    for (int part = 0; part < 3; ++part) {
        if (!StripNumber(name)) return false;
        if (part < 2 && !name.ends_with(u'_')) return false;
        if (part < 2) name.remove_suffix(1);
    }
    return name.empty();
}

// Nothing is deleted that may be the only copy of a text: a save whose rename never happened (a
// stick pulled on FAT) holds the page whole while its file is gone, and a file the folder move set
// aside may be the only copy of what it replaced. A leftover cut short holds no page.
LeftoverFate FateOfLeftover(LeftoverKind kind, TargetNow target, std::optional<bool> whole) {
    if (!whole) return LeftoverFate::Leave;  // still being written, or locked
    switch (kind) {
    case LeftoverKind::PageSave:
    case LeftoverKind::VersionCopy:
        if (target == TargetNow::Unreachable) return LeftoverFate::Leave;
        if (!*whole) return LeftoverFate::Delete;
        if (target == TargetNow::Absent) return LeftoverFate::BecomeTarget;
        if (target == TargetNow::Older && kind == LeftoverKind::PageSave) return LeftoverFate::KeepAsVersion;
        return LeftoverFate::Delete;  // the file it was for holds this or later
    case LeftoverKind::FolderMove:
        return *whole ? LeftoverFate::Leave : LeftoverFate::Delete;
    case LeftoverKind::Nameless:
        break;
    }
    return LeftoverFate::Delete;
}

std::u16string RescueFileName(std::u16string_view page, std::size_t folderLength, int number) {
    const std::u16string suffix = (number > 1 ? u" (" + Digits(static_cast<std::uint64_t>(number)) + u")" : u"") +
                                  std::u16string(kPageExtension);
    const std::size_t used = folderLength + suffix.size();
    std::size_t room = used < kMaxPath ? kMaxPath - used : 0;
    if (room > kMaxName - suffix.size()) room = kMaxName - suffix.size();
    std::u16string stem(page.substr(0, room));
    // Cut between the halves of a surrogate pair, or before blanks and dots Windows would drop.
    if (stem.size() < page.size() && !stem.empty() && stem.back() >= 0xD800 && stem.back() <= 0xDBFF) stem.pop_back();
    while (!stem.empty() && (stem.back() == u' ' || stem.back() == u'.')) stem.pop_back();
    if (stem.empty()) stem = u"_";
    return stem + suffix;
}

bool IsWholePageDocument(std::string_view bytes, bool plain) {
    if (plain) return !SplitByteOrderMark(bytes).body.empty();
    return LooksLikeWholeRtf(bytes);
}

}  // namespace tavrik::pages
