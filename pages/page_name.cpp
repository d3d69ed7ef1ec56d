// Page names as file names.
#include "pages/page_name.h"

#include "pages/page_versions.h"

namespace tavrik::pages {
namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool EqualsUpper(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Upper(text[i]) != upper[i]) return false;
    return true;
}

bool IsForbiddenInFileName(char16_t c) {
    if (c < 32) return true;
    constexpr std::u16string_view kForbidden = u"<>:\"/\\|?*";
    return kForbidden.find(c) != std::u16string_view::npos;
}

}  // namespace

bool IsReservedDeviceName(std::u16string_view name) {
    // Windows looks at the part before the first dot, blanks at its end ignored.
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
    for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"})
        if (EqualsUpper(stem, device)) return true;
    if (stem.size() == 4 && stem[3] >= u'1' && stem[3] <= u'9') {
        const std::u16string_view prefix = stem.substr(0, 3);
        return EqualsUpper(prefix, u"COM") || EqualsUpper(prefix, u"LPT");
    }
    return false;
}

bool IsSafeStoredPageName(std::u16string_view name) {
    if (name.empty() || name.find(u"..") != std::u16string_view::npos) return false;
    for (char16_t c : name)
        if (IsForbiddenInFileName(c)) return false;
    if (name.size() + 4 > kMaxFileNameLength) return false;  // ".tvk"
    return !IsReservedDeviceName(name) && !SameFileName(name, kVersionsFolderName);
}

bool FitsSettingsKey(std::u16string_view name) {
    return !name.empty() && name.find(u'=') == std::u16string_view::npos && name.front() != u' ' &&
           name.back() != u' ' && name.front() != u';' && name.front() != u'[';
}

namespace {
char16_t FoldCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c >= u'\u0430' && c <= u'\u044F') return static_cast<char16_t>(c - 0x20);  // а..я
    if (c >= u'\u0450' && c <= u'\u045F') return static_cast<char16_t>(c - 0x50);  // ѐ..џ, ё among them
    return c;
}

// Room for the ".tvk" and the closing zero within the classic path limit of 260 characters.
constexpr std::size_t kMaxPath = 260;
}  // namespace

NameProblem CheckPageName(std::u16string_view name, std::size_t folderLength, bool longPaths) {
    constexpr std::u16string_view kIllegal = u"\\/*.\":<>?";
    for (char16_t c : name)
        if (kIllegal.find(c) != std::u16string_view::npos) return NameProblem::IllegalCharacter;
    if (name.empty()) return NameProblem::Empty;
    if (!FitsSettingsKey(name)) return NameProblem::NotForSettings;
    if (SameFileName(name, kVersionsFolderName)) return NameProblem::VersionsFolder;
    if (!IsSafeStoredPageName(name)) return NameProblem::NotForFiles;
    if (folderLength + name.size() + 4 >= kMaxPath) return NameProblem::TooLong;
    // A page whose versions cannot be kept beside it would lose the one kept before it is emptied.
    if (!longPaths && VersionPathLength(folderLength, name.size()) >= kMaxPath) return NameProblem::TooLong;
    return NameProblem::None;
}

bool SameFileName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::u16string ProposeNewPageName(std::u16string_view base, const std::vector<std::u16string>& existing) {
    for (unsigned n = 1;; ++n) {
        std::u16string candidate(base);
        for (char c : std::to_string(n)) candidate += static_cast<char16_t>(c);
        bool taken = false;
        for (const std::u16string& name : existing) taken = taken || SameFileName(name, candidate);
        if (!taken) return candidate;
    }
}

namespace {
void TrimBlanksAndMarks(std::u16string& name) {
    // A ";" or "[" that leads after the blanks went would make a comment or a section again.
    const auto isDropped = [](char16_t c) { return c == u' ' || c == u';' || c == u'['; };
    while (!name.empty() && isDropped(name.front())) name.erase(0, 1);
    while (!name.empty() && name.back() == u' ') name.pop_back();
}
}  // namespace

std::u16string MakeSafePageName(std::u16string_view name, const std::function<bool(std::u16string_view)>& taken) {
    constexpr std::u16string_view kReplaced = u"\\/*.\":<>?|=";
    std::u16string base;
    for (char16_t c : name) base += c < 32 || kReplaced.find(c) != std::u16string_view::npos ? u'_' : c;
    TrimBlanksAndMarks(base);
    // Room for " 99" and ".tvk" within one file name; a cut can leave blanks at the end again.
    constexpr std::size_t kRoom = kMaxFileNameLength - 4 - 8;
    if (base.size() > kRoom) {
        base.resize(kRoom);
        if (base.size() > 0 && base.back() >= 0xD800 && base.back() <= 0xDBFF) base.pop_back();  // half a pair
        TrimBlanksAndMarks(base);
    }
    if (base.empty()) base = u"Page";
    if (IsReservedDeviceName(base) || SameFileName(base, kVersionsFolderName)) base += u'_';
    std::u16string candidate = base;
    for (unsigned n = 2; taken(candidate); ++n) {
        candidate = base + u' ';
        for (char c : std::to_string(n)) candidate += static_cast<char16_t>(c);
    }
    return candidate;
}

std::u16string ShownName(std::u16string_view name, std::size_t limit) {
    if (name.size() <= limit) return std::u16string(name);
    std::size_t cut = limit > 0 ? limit - 1 : 0;
    if (cut > 0 && name[cut - 1] >= 0xD800 && name[cut - 1] <= 0xDBFF) --cut;  // never half a surrogate pair
    return std::u16string(name.substr(0, cut)) + u'\u2026';
}

}  // namespace tavrik::pages
