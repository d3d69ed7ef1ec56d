// What clipboard catching leaves alone.
#include "editor/clipboard_privacy.h"

namespace tavrik::editor {
namespace {

constexpr std::u16string_view kBlanks = u" \t\r\n";

std::u16string_view Trimmed(std::u16string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

bool MarkedPrivate(const ClipboardMarkers& markers) {
    return markers.excludeFromMonitors || markers.viewerIgnore || markers.inHistory == 0u || markers.toCloud == 0u;
}

std::vector<std::u16string> ProgramNames(std::u16string_view list) {
    std::vector<std::u16string> names;
    while (!list.empty()) {
        const size_t end = list.find_first_of(u";,");
        const std::u16string_view name = Trimmed(list.substr(0, end));
        if (!name.empty()) names.emplace_back(name);
        list = end == std::u16string_view::npos ? std::u16string_view{} : list.substr(end + 1);
    }
    return names;
}

bool IsListedProgram(std::u16string_view imagePath, std::u16string_view list, const SameName& sameName) {
    const size_t slash = imagePath.find_last_of(u"\\/");
    const std::u16string_view file = slash == std::u16string_view::npos ? imagePath : imagePath.substr(slash + 1);
    if (file.empty()) return false;
    for (const std::u16string& name : ProgramNames(list)) {
        if (sameName(file, name)) return true;
        if (name.find(u'.') == std::u16string::npos && sameName(file, name + u".exe")) return true;
    }
    return false;
}

}  // namespace tavrik::editor
