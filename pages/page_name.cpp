// Page names as file names.
#include "pages/page_name.h"


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
    return !IsReservedDeviceName(name);
}

}  // namespace tavrik::pages
