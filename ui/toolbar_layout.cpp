// Toolbar sections of the settings file.
#include "ui/toolbar_layout.h"

#include "settings/ini_value.h"

namespace tavrik::ui {
namespace {

std::optional<std::u16string> Find(const SectionKeys& keys, std::u16string_view name) {
    for (const auto& [key, value] : keys) {
        if (key.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < key.size() && same; ++i) {
            const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
            same = lower(key[i]) == lower(name[i]);
        }
        if (same) return value;
    }
    return std::nullopt;
}

bool KnownDock(std::u16string_view dock) {
    for (std::u16string_view known : {kDockMenu, kDockRight, kDockLeft, kDockBottom, kDockFormat})
        if (dock == known) return true;
    return false;
}

}  // namespace

BarPlace DesignedPlace(std::u16string_view bar) {
    if (bar == u"MainMenu") return {true, std::u16string(kDockMenu), 0, 0};
    if (bar == u"FormatToolbar") return {true, std::u16string(kDockFormat), 0, 0};
    if (bar == u"PagesToolbar") return {true, std::u16string(kDockBottom), 0, 175};
    if (bar == u"OptionsToolbar") return {true, std::u16string(kDockBottom), 0, 277};
    return {true, std::u16string(kDockBottom), 0, 6};  // StandartToolbar
}

std::optional<BarPlace> ReadBarPlace(const SectionKeys& keys) {
    const auto visible = Find(keys, u"Visible");
    const auto dock = Find(keys, u"DockedTo");
    const auto row = Find(keys, u"DockRow");
    const auto pos = Find(keys, u"DockPos");
    if (!visible || !dock || !row || !pos) return std::nullopt;
    const auto visibleNumber = settings::ParseInt(*visible);
    const auto rowNumber = settings::ParseInt(*row);
    const auto posNumber = settings::ParseInt(*pos);
    const auto left = settings::ParseInt(Find(keys, u"FloatLeft").value_or(u"0"));
    const auto top = settings::ParseInt(Find(keys, u"FloatTop").value_or(u"0"));
    if (!visibleNumber || !rowNumber || !posNumber || !left || !top || *rowNumber < 0) return std::nullopt;
    if (!dock->empty() && !KnownDock(*dock)) return std::nullopt;
    return BarPlace{*visibleNumber != 0, *dock, *rowNumber, *posNumber, *left, *top};
}

SectionKeys WriteBarPlace(const BarPlace& place) {
    using settings::FormatInt;
    return {{u"Rev", u"2000"},
            {u"Visible", FormatInt(place.visible ? 1 : 0)},
            {u"DockedTo", place.dock},
            {u"LastDock", place.dock},
            {u"DockRow", FormatInt(place.row)},
            {u"DockPos", FormatInt(place.pos)},
            {u"FloatLeft", FormatInt(place.floatLeft)},
            {u"FloatTop", FormatInt(place.floatTop)}};
}

}  // namespace tavrik::ui
