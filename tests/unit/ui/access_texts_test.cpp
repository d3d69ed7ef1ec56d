#include "ui/access_texts.h"

#include <gtest/gtest.h>

#include "ui/commands.h"

using namespace tavrik::ui;

TEST(AccessTexts, MenuCaptionsLoseTheirAccessKeysButKeepADoubledAmpersand) {
    struct Case {
        std::u16string_view caption, name;
    };
    const Case cases[] = {
        {u"&Standard", u"Standard"},
        {u"Ст&раницы", u"Страницы"},
        {u"Save && close", u"Save & close"},
        {u"&&&Both", u"&Both"},
        {u"Ends in &", u"Ends in "},
        {u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(NameFromCaption(c.caption), c.name);
}

TEST(AccessTexts, EveryToolbarIsNamedAsTheMenuItemThatShowsIt) {
    struct Case {
        std::u16string_view bar, english, russian;
    };
    // The standard bar's section keeps the spelling the settings files were first written with.
    const Case cases[] = {
        {u"StandartToolbar", u"Standard", u"Стандартная"},
        {u"FormatToolbar", u"Format", u"Форматирование"},
        {u"PagesToolbar", u"Pages", u"Страницы"},
        {u"OptionsToolbar", u"Options", u"Настройки"},
        {u"MainMenu", u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToolbarName(c.bar, Language::English), c.english);
        EXPECT_EQ(ToolbarName(c.bar, Language::Russian), c.russian);
    }
    for (const ToolbarDef& bar : Toolbars())  // a bar added later needs a name too
        EXPECT_FALSE(ToolbarName(bar.name, Language::Russian).empty()) << std::string(bar.name.begin(), bar.name.end());
}

TEST(AccessTexts, PartStatesAsReadersKnowThem) {
    struct Case {
        PartFacts facts;
        std::uint32_t state;
    };
    const Case cases[] = {
        {{}, 0},                                                               // a button ready to press
        {{.enabled = false}, kStateUnavailable},                              // Undo with nothing to undo
        {{.checked = true}, kStateChecked | kStatePressed},                   // Bold over bold text
        {{.shown = false}, kStateInvisible},                                  // past the bar's end
        {{.selectable = true}, kStateSelectable | kStateFocusable},           // a tab
        {{.selectable = true, .selected = true}, kStateSelectable | kStateFocusable | kStateSelected},
        {{.selectable = true, .selected = true, .focused = true},
         kStateSelectable | kStateFocusable | kStateSelected | kStateFocused},
        {{.enabled = false, .selectable = true}, kStateUnavailable},         // cannot be reached
    };
    for (const Case& c : cases) EXPECT_EQ(PartState(c.facts), c.state) << std::hex << c.state;
}

TEST(AccessTexts, ChildIdsCountThePartsBeforeTheChildWindows) {
    struct Case {
        long childId;
        std::size_t parts, windows;
        ChildKind kind;
        std::size_t index;
    };
    const Case cases[] = {
        {0, 3, 2, ChildKind::Self, 0},   {1, 3, 2, ChildKind::Part, 0},   {3, 3, 2, ChildKind::Part, 2},
        {4, 3, 2, ChildKind::Window, 0}, {5, 3, 2, ChildKind::Window, 1}, {6, 3, 2, ChildKind::None, 0},
        {1, 0, 1, ChildKind::Window, 0}, {1, 0, 0, ChildKind::None, 0},
        {-4, 3, 2, ChildKind::None, 0},  // the client object's own id, never a child's
    };
    for (const Case& c : cases) {
        const ChildSlot slot = SlotOfChild(c.childId, c.parts, c.windows);
        EXPECT_EQ(slot.kind, c.kind) << c.childId << " of " << c.parts << "+" << c.windows;
        if (slot.kind == c.kind && c.kind != ChildKind::None) {
            EXPECT_EQ(slot.index, c.index) << c.childId;
        }
    }
}
