// Paths as the shell's file operations take them.
#include "pages/shell_path.h"

namespace tavrik::pages {

std::u16string ShellPath(std::u16string_view path) {
    constexpr std::u16string_view kLong = u"\\\\?\\";
    if (!path.starts_with(kLong)) return std::u16string(path);
    std::u16string_view rest = path.substr(kLong.size());
    const bool unc = rest.size() > 4 && (rest[0] == u'U' || rest[0] == u'u') && (rest[1] == u'N' || rest[1] == u'n') &&
                     (rest[2] == u'C' || rest[2] == u'c') && rest[3] == u'\\';
    if (unc) return u"\\\\" + std::u16string(rest.substr(4));
    // Only a drive letter path loses the prefix; "\\?\Volume{...}\" names nothing without it.
    if (rest.size() >= 3 && rest[1] == u':' && rest[2] == u'\\') return std::u16string(rest);
    return std::u16string(path);
}

}  // namespace tavrik::pages
