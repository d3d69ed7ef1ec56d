// Page files no page lists, and the names sync services give the copies they make.
#include "pages/unlisted_pages.h"

#include "pages/page_name.h"
#include "pages/page_versions.h"
#include "pages/save_leftovers.h"

namespace tavrik::pages {
namespace {

// A copy of a copy ("Notes (Anna's conflicted copy 2026-12-09) (1)") is still one of the page's;
// deeper than this, a name is more likely the user's own.
constexpr int kMaxSuffixes = 3;
// Windows computer names are at most 15 characters; services add "-2" and the like.
constexpr std::size_t kMaxComputerSuffix = 20;
constexpr std::size_t kMaxPath = 260;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool AllDigits(std::u16string_view s) {
    if (s.empty()) return false;
    for (char16_t c : s)
        if (!IsDigit(c)) return false;
    return true;
}

bool ContainsNoCase(std::u16string_view text, std::u16string_view word) {
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i)
        if (SameFileName(text.substr(i, word.size()), word)) return true;
    return false;
}

// The services' own words, in the two languages of their clients we expect here.
bool SaysConflict(std::u16string_view text) {
    return ContainsNoCase(text, u"conflict") || ContainsNoCase(text, u"конфликт");
}

const std::u16string* PageNamed(std::u16string_view name, const std::vector<std::u16string>& pageNames) {
    for (const std::u16string& page : pageNames)
        if (SameFileName(page, name)) return &page;
    return nullptr;
}

// "Notes-LAPTOP" is a copy of Notes only when the part after the hyphen looks like what Windows
// shows as a computer's name: Latin capitals, digits and hyphens, with a letter among them. So
// "Notes-old" and "Notes-2026" stay pages of their own; "Notes-OLD" is taken for a copy, and the
// dialog still offers to add it under its own name. This computer's name counts in any form.
bool LooksLikeComputerName(std::u16string_view s, std::u16string_view computerName) {
    if (!computerName.empty() && SameFileName(s, computerName)) return true;
    if (s.empty() || s.size() > kMaxComputerSuffix) return false;
    bool letter = false;
    for (char16_t c : s) {
        if (c >= u'A' && c <= u'Z') letter = true;
        else if (!IsDigit(c) && c != u'-') return false;
    }
    return letter;
}

std::u16string_view WithoutTrailingBlank(std::u16string_view s) {
    if (!s.empty() && s.back() == u' ') s.remove_suffix(1);
    return s;
}

// Every way of taking one suffix a sync service adds off `stem`, longest rest first.
std::vector<std::u16string_view> Shorter(std::u16string_view stem, std::u16string_view computerName) {
    std::vector<std::u16string_view> rests;
    // " (2)", " (Anna's conflicted copy 2026-12-09)", " (conflicted copy 2026-12-09 101500)",
    // " (Case Conflict)", " [Conflict]".
    for (const auto& [open, close] : {std::pair{u'(', u')'}, std::pair{u'[', u']'}}) {
        if (!stem.ends_with(close)) continue;
        const std::size_t at = stem.rfind(open);
        if (at == std::u16string_view::npos || at == 0) continue;
        const std::u16string_view inside = stem.substr(at + 1, stem.size() - at - 2);
        if ((open == u'(' && AllDigits(inside) && inside.size() <= 3) || SaysConflict(inside))
            rests.push_back(WithoutTrailingBlank(stem.substr(0, at)));
    }
    // ".sync-conflict-20261209-101500-ABCDEFG", and the older "_conflict-20261209-101500".
    for (const std::u16string_view marker : {std::u16string_view(u".sync-conflict-"), std::u16string_view(u"_conflict-")}) {
        const std::size_t at = stem.rfind(marker);
        if (at != std::u16string_view::npos && at > 0 && AllDigits(stem.substr(at + marker.size()).substr(0, 8)) &&
            stem.size() >= at + marker.size() + 8)
            rests.push_back(stem.substr(0, at));
    }
    // "-LAPTOP", "-DESKTOP-AB12CD": a computer's name may hold hyphens of its own.
    for (std::size_t at = stem.rfind(u'-'); at != std::u16string_view::npos && at > 0; at = stem.rfind(u'-', at - 1))
        if (LooksLikeComputerName(stem.substr(at + 1), computerName)) rests.push_back(stem.substr(0, at));
    return rests;
}

std::optional<std::u16string> CopyOf(std::u16string_view stem, const std::vector<std::u16string>& pageNames,
                                     std::u16string_view computerName, int depth) {
    if (depth == kMaxSuffixes) return std::nullopt;
    for (const std::u16string_view rest : Shorter(stem, computerName)) {
        if (const std::u16string* page = PageNamed(rest, pageNames)) return *page;
        if (auto page = CopyOf(rest, pageNames, computerName, depth + 1)) return page;
    }
    return std::nullopt;
}

std::u16string Number(unsigned n) {
    std::u16string text;
    for (char c : std::to_string(n)) text += static_cast<char16_t>(c);
    return text;
}

bool Taken(std::u16string_view name, const std::vector<std::u16string>& taken) { return PageNamed(name, taken) != nullptr; }

// `base`, or `base` (2), (3) … whichever Windows would not take for a name in `taken`.
std::u16string FreeName(const std::u16string& base, const std::vector<std::u16string>& taken) {
    if (!Taken(base, taken)) return base;
    for (unsigned n = 2;; ++n) {
        std::u16string candidate = base + u" (" + Number(n) + u")";
        if (!Taken(candidate, taken)) return candidate;
    }
}

bool PlausibleDate(std::u16string_view year, std::u16string_view month, std::u16string_view day) {
    const int m = (month[0] - u'0') * 10 + (month[1] - u'0');
    const int d = (day[0] - u'0') * 10 + (day[1] - u'0');
    return (year.starts_with(u"19") || year.starts_with(u"20")) && m >= 1 && m <= 12 && d >= 1 && d <= 31;
}

}  // namespace

std::vector<std::u16string> UnlistedPageFiles(const std::vector<std::u16string>& fileNames,
                                              const std::vector<std::u16string>& pageNames) {
    std::vector<std::u16string> unlisted;
    for (const std::u16string& name : fileNames) {
        if (name.find_first_of(u"\\/") != std::u16string::npos || RecogniseSaveLeftover(name)) continue;
        const std::optional<std::u16string> page = PageOfFile(name);
        if (!page || !IsSafeStoredPageName(*page) || PageNamed(*page, pageNames)) continue;
        unlisted.push_back(name);
    }
    return unlisted;
}

std::optional<std::u16string> ConflictCopyOf(std::u16string_view fileStem, const std::vector<std::u16string>& pageNames,
                                             std::u16string_view computerName) {
    if (PageNamed(fileStem, pageNames)) return std::nullopt;  // the page's own file
    return CopyOf(fileStem, pageNames, computerName, 0);
}

std::optional<std::u16string> ConflictDate(std::u16string_view stem) {
    // "2026-12-09" as Dropbox and Nextcloud write it.
    for (std::size_t i = 0; i + 10 <= stem.size(); ++i) {
        const std::u16string_view s = stem.substr(i, 10);
        if ((i > 0 && IsDigit(stem[i - 1])) || (i + 10 < stem.size() && IsDigit(stem[i + 10]))) continue;
        if (AllDigits(s.substr(0, 4)) && s[4] == u'-' && AllDigits(s.substr(5, 2)) && s[7] == u'-' &&
            AllDigits(s.substr(8, 2)) && PlausibleDate(s.substr(0, 4), s.substr(5, 2), s.substr(8, 2)))
            return std::u16string(s);
    }
    // "20261209" as Syncthing writes it: eight digits alone, no longer run.
    for (std::size_t i = 0; i + 8 <= stem.size(); ++i) {
        const std::u16string_view s = stem.substr(i, 8);
        if ((i > 0 && IsDigit(stem[i - 1])) || (i + 8 < stem.size() && IsDigit(stem[i + 8])) || !AllDigits(s)) continue;
        if (PlausibleDate(s.substr(0, 4), s.substr(4, 2), s.substr(6, 2)))
            return std::u16string(s.substr(0, 4)) + u"-" + std::u16string(s.substr(4, 2)) + u"-" + std::u16string(s.substr(6, 2));
    }
    return std::nullopt;
}

std::u16string ConflictPageName(std::u16string_view page, std::u16string_view word, std::u16string_view date,
                                const std::vector<std::u16string>& taken) {
    std::u16string base(page);
    base += u" (";
    base += word;
    if (!date.empty()) base += std::u16string(u" ") + std::u16string(date);
    base += u")";
    return FreeName(base, taken);
}

std::u16string PageNameForFile(std::u16string_view fileStem, std::size_t folderLength,
                               const std::vector<std::u16string>& taken) {
    if (CheckPageName(fileStem, folderLength) == NameProblem::None && !Taken(fileStem, taken))
        return std::u16string(fileStem);
    std::u16string name;
    for (char16_t c : fileStem) {
        const bool refused = c < 32 || std::u16string_view(u"\\/*.\":<>?|=").find(c) != std::u16string_view::npos;
        name += refused ? u'_' : c;
    }
    while (!name.empty() && name.back() == u' ') name.pop_back();
    while (!name.empty() && name.front() == u' ') name.erase(0, 1);
    if (name.empty() || name.front() == u';' || name.front() == u'[' || IsReservedDeviceName(name) ||
        CheckPageName(name, folderLength) == NameProblem::VersionsFolder)
        name.insert(0, 1, u'_');
    // Room for a number (" (99)") and the closing zero in the longest path of its versions, which
    // is longer than the page file's own.
    const std::size_t used = VersionPathLength(folderLength, 0) + 6;
    const std::size_t room = kMaxPath > used ? kMaxPath - used : 1;
    if (name.size() > room) name.resize(room);
    while (name.size() > 1 && name.back() == u' ') name.pop_back();
    return FreeName(name, taken);
}

}  // namespace tavrik::pages
