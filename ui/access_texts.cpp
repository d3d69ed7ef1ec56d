// Names, roles and states for screen readers, in both interface languages.
#include "ui/access_texts.h"

namespace tavrik::ui {
namespace {

using Row = TextRow<AccessText>;

constexpr Row kRows[] = {
    {AccessText::FontNameBox, {u"Font", u"Шрифт"}},
    {AccessText::FontSizeBox, {u"Font size", u"Размер шрифта"}},
    {AccessText::TabStrip, {u"Pages", u"Страницы"}},
    {AccessText::PressAction, {u"Press", u"Нажать"}},
    {AccessText::SwitchAction, {u"Switch", u"Перейти"}},
};

// The settings file's section names of the bars, kept as they were first written.
struct BarMenuItem {
    std::u16string_view bar, menuItem;
};
constexpr BarMenuItem kBarMenuItems[] = {
    {u"StandartToolbar", u"StandardToolbarMenuItem"},
    {u"FormatToolbar", u"FormatToolbarMenuItem"},
    {u"PagesToolbar", u"PagesToolbarMenuItem"},
    {u"OptionsToolbar", u"OptionsToolbarMenuItem"},
};

}  // namespace

std::u16string ToolbarName(std::u16string_view bar, Language language) {
    for (const BarMenuItem& row : kBarMenuItems)
        if (row.bar == bar) return NameFromCaption(FindCaption(row.menuItem, language).value_or(u""));
    return {};
}

std::u16string_view AccessTextIn(AccessText which, Language language) { return FindText(kRows, which, language); }

std::u16string NameFromCaption(std::u16string_view caption) {
    std::u16string name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size()) break;  // "&&" keeps its second "&"
        name += caption[i];
    }
    return name;
}

// A part that cannot be used is neither focusable nor selectable: readers skip it in their lists
// of what can be reached.
std::uint32_t PartState(const PartFacts& facts) {
    std::uint32_t state = 0;
    if (!facts.enabled) state |= kStateUnavailable;
    if (facts.checked) state |= kStateChecked | kStatePressed;
    if (facts.selectable && facts.enabled) state |= kStateSelectable | kStateFocusable;
    if (facts.selected) state |= kStateSelected;
    if (facts.focused) state |= kStateFocused;
    if (!facts.shown) state |= kStateInvisible;
    return state;
}

ChildSlot SlotOfChild(long childId, std::size_t parts, std::size_t windows) {
    if (childId == 0) return {ChildKind::Self, 0};
    if (childId < 0) return {};
    const auto n = static_cast<std::size_t>(childId);
    if (n <= parts) return {ChildKind::Part, n - 1};
    if (n <= parts + windows) return {ChildKind::Window, n - 1 - parts};
    return {};
}

}  // namespace tavrik::ui
