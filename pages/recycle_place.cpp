// The drive of a path, without asking Windows.
#include "pages/recycle_place.h"

namespace tavrik::pages {
namespace {
bool IsSlash(char16_t c) { return c == u'\\' || c == u'/'; }
bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
}  // namespace

std::u16string DriveRootOf(std::u16string_view path) {
    // "\\?\" and "\\.\" only switch off the parsing of what follows; the drive is the same.
    if (path.size() >= 4 && IsSlash(path[0]) && IsSlash(path[1]) && (path[2] == u'?' || path[2] == u'.') &&
        IsSlash(path[3]))
        path.remove_prefix(4);
    if (path.size() < 2 || !IsLetter(path[0]) || path[1] != u':') return {};
    if (path.size() > 2 && !IsSlash(path[2])) return {};  // "C:notes" is relative to C:'s own current folder
    return {path[0], u':', u'\\'};
}

}  // namespace tavrik::pages
