// Save as rules: the format of the written file and the folder remembered for the next start.
#include "pages/export_format.h"

namespace tavrik::pages {
namespace {
bool EndsWithNoCase(std::u16string_view text, std::u16string_view end) {
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i) {
        char16_t c = text[text.size() - end.size() + i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != end[i]) return false;
    }
    return true;
}
}  // namespace

ExportFormat ExportFormatFor(std::u16string_view path, int pickedType) {
    if (EndsWithNoCase(path, u".txt")) return ExportFormat::Text;
    if (EndsWithNoCase(path, u".rtf")) return ExportFormat::Rich;
    return pickedType == kTextType ? ExportFormat::Text : ExportFormat::Rich;
}

std::u16string FolderOfPath(std::u16string_view path) {
    const size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, slash + 1));
}

}  // namespace tavrik::pages
