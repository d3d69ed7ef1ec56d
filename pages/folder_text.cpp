// The typed page folder's checks.
#include "pages/folder_text.h"

namespace tavrik::pages {
namespace {
bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}
}  // namespace

FolderTextProblem CheckFolderText(std::u16string_view typed) {
    const std::u16string_view text = Trimmed(typed);
    bool onlySeparators = true;
    for (char16_t c : text) onlySeparators = onlySeparators && IsSeparator(c);
    if (onlySeparators) return FolderTextProblem::Empty;
    if (text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == u':')
        return text.size() >= 3 && IsSeparator(text[2]) ? FolderTextProblem::None : FolderTextProblem::DriveRelative;
    if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
        // A share needs a server and a share name: "\\server\share". "\\?\" and "\\.\" prefixes
        // are taken as the system takes them.
        std::u16string_view rest = text.substr(2);
        const size_t slash = rest.find_first_of(u"\\/");
        if (slash == 0 || slash == std::u16string_view::npos) return FolderTextProblem::Relative;
        rest.remove_prefix(slash + 1);
        while (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
        return rest.empty() ? FolderTextProblem::Relative : FolderTextProblem::None;
    }
    return FolderTextProblem::Relative;
}

std::u16string WithTrailingBackslash(std::u16string_view folder) {
    std::u16string text(Trimmed(folder));
    while (!text.empty() && IsSeparator(text.back())) text.pop_back();
    text += u'\\';
    return text;
}

}  // namespace tavrik::pages
