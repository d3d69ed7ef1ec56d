// Page entries of section Pages.
#include "pages/page_entry.h"

#include "settings/ini_value.h"
#include "settings/parameters.h"

namespace tavrik::pages {

PageEntry DecodePageEntry(std::u16string_view value, const PageDefaults& defaults) {
    PageEntry entry{defaults.color, defaults.fontName, defaults.fontColor, defaults.fontSize,
                    defaults.fontStyle, 0, false};
    int field = 0;
    while (field < 7) {
        const std::size_t star = value.find(u'*');
        if (star == std::u16string_view::npos) break;
        const std::u16string_view text = value.substr(0, star);
        value.remove_prefix(star + 1);
        const auto number = settings::ParseDecimal(text);
        switch (field) {
        case 0: entry.color = number.value_or(entry.color); break;
        case 1: if (!text.empty()) entry.fontName = std::u16string(text); break;
        case 2: entry.fontColor = number.value_or(entry.fontColor); break;
        case 3: if (number && settings::IsFontSize(*number)) entry.fontSize = *number; break;
        case 4: entry.fontStyle = number.value_or(entry.fontStyle); break;
        case 5: entry.caret = number.value_or(entry.caret); break;
        case 6: entry.wordWrap = number == 1; break;
        }
        ++field;
    }
    return entry;
}

std::u16string EncodePageEntry(const PageEntry& entry) {
    using settings::FormatInt;
    std::u16string out;
    for (const std::u16string& field :
         {FormatInt(entry.color), entry.fontName, FormatInt(entry.fontColor), FormatInt(entry.fontSize),
          FormatInt(entry.fontStyle), FormatInt(entry.caret), FormatInt(entry.wordWrap ? 1 : 0)}) {
        out += field;
        out += u'*';
    }
    return out;
}

PageEntry NewPageEntry(const PageDefaults& defaults) {
    return PageEntry{defaults.color, defaults.fontName, defaults.fontColor, defaults.fontSize,
                     defaults.fontStyle, 0, true};
}

}  // namespace tavrik::pages
