// The font name box's list, built from what the font enumeration reports.
#include "ui/font_names.h"

#include <algorithm>

namespace tavrik::ui {
namespace {

// A character format holds a face name of at most 31 characters; longer ones cannot be set.
constexpr std::size_t kMaxFaceLength = 31;

// Face names match without regard to case, as the system's font mapper takes them.
char16_t Folded(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
    if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);  // А-Я
    if (c == 0x0401) return 0x0451;                                          // Ё
    return c;
}

std::u16string Folded(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) c = Folded(c);
    return folded;
}

// Vertical faces ("@…") are for writing down a page, not across it.
bool Usable(std::u16string_view name) {
    return !name.empty() && name.size() <= kMaxFaceLength && name.front() != u'@';
}

}  // namespace

std::vector<std::u16string> FontBoxNames(std::span<const ReportedFace> reported, std::u16string_view defaultFace) {
    struct Entry {
        std::u16string order;   // folded, with Ё among the Е as the alphabet has it
        std::u16string folded;  // what makes two names one face
        std::u16string name;    // as reported
    };
    std::vector<Entry> entries;
    entries.reserve(reported.size() + 1);
    const auto add = [&](std::u16string_view name) {
        Entry entry{Folded(name), Folded(name), std::u16string(name)};
        std::replace(entry.order.begin(), entry.order.end(), char16_t{0x0451}, char16_t{0x0435});
        entries.push_back(std::move(entry));
    };
    for (const ReportedFace& face : reported)
        if (!face.deviceOnly && Usable(face.name)) add(face.name);
    // The system may map the default to another face and never report it (a raster font at a DPI
    // it has no size for, or a system without it): listed anyway, so it can be chosen back.
    if (Usable(defaultFace)) add(defaultFace);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (const int order = a.order.compare(b.order)) return order < 0;
        if (const int folded = a.folded.compare(b.folded)) return folded < 0;
        return a.name.compare(b.name) < 0;
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const Entry& a, const Entry& b) { return a.folded == b.folded; }),
                  entries.end());
    std::vector<std::u16string> list;
    list.reserve(entries.size());
    for (Entry& entry : entries) list.push_back(std::move(entry.name));
    return list;
}

}  // namespace tavrik::ui
