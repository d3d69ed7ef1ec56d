#include "ui/toolbar_layout.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

TEST(ToolbarLayout, RoundTripsEveryPlace) {
    for (const BarPlace& place : {BarPlace{false, u"TBDock4", 1, 230}, BarPlace{true, u"TBDock5", 0, 0},
                                  BarPlace{true, u"TBDock3", 2, -4}, BarPlace{true, u"", 0, 0, -300, 1200}})
        EXPECT_EQ(ReadBarPlace(WriteBarPlace(place)), place);
}

TEST(ToolbarLayout, KeysAreMatchedInAnyCase) {
    const SectionKeys keys{{u"visible", u"0"}, {u"DOCKEDTO", u"TBDock4"}, {u"dockrow", u"1"}, {u"DockPos", u"0x10"}};
    EXPECT_EQ(ReadBarPlace(keys), (BarPlace{false, u"TBDock4", 1, 16}));
    EXPECT_TRUE(ReadBarPlace({{u"Visible", u"1"}, {u"DockedTo", u""}, {u"DockRow", u"0"}, {u"DockPos", u"0"},
                              {u"FloatLeft", u"40"}, {u"FloatTop", u"50"}})->Floating());
}

TEST(ToolbarLayout, MissingOrDamagedSectionsGiveNothing) {
    EXPECT_EQ(ReadBarPlace({}), std::nullopt);
    EXPECT_EQ(ReadBarPlace({{u"Visible", u"1"}, {u"DockedTo", u"TBDock4"}, {u"DockRow", u"0"}}), std::nullopt);
    EXPECT_EQ(ReadBarPlace({{u"Visible", u"yes"}, {u"DockedTo", u"TBDock4"}, {u"DockRow", u"0"}, {u"DockPos", u"6"}}),
              std::nullopt);
    EXPECT_EQ(ReadBarPlace({{u"Visible", u"1"}, {u"DockedTo", u"Nowhere"}, {u"DockRow", u"0"}, {u"DockPos", u"6"}}),
              std::nullopt);
    EXPECT_EQ(ReadBarPlace({{u"Visible", u"1"}, {u"DockedTo", u"TBDock4"}, {u"DockRow", u"-1"}, {u"DockPos", u"6"}}),
              std::nullopt);
    EXPECT_EQ(ReadBarPlace({{u"Visible", u"1"}, {u"DockedTo", u""}, {u"DockRow", u"0"}, {u"DockPos", u"0"},
                            {u"FloatLeft", u"left"}}),
              std::nullopt);
}

TEST(ToolbarLayout, DesignedLayoutPutsThreeBarsAtTheBottom) {
    EXPECT_EQ(DesignedPlace(u"FormatToolbar").dock, u"TBDock5");
    EXPECT_LT(DesignedPlace(u"StandartToolbar").pos, DesignedPlace(u"PagesToolbar").pos);
    EXPECT_LT(DesignedPlace(u"PagesToolbar").pos, DesignedPlace(u"OptionsToolbar").pos);
    EXPECT_EQ(DesignedPlace(u"OptionsToolbar").dock, u"TBDock4");
}
