#include "ui/font_names.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

// Enumerations as systems give them: a face once per character set it covers, vertical twins of
// East Asian faces, printer fonts, and a default face that is mapped away and never reported.
TEST(FontBoxNames, EveryUsableFaceOnceSortedWithTheDefaultAlwaysThere) {
    using Names = std::vector<std::u16string>;
    struct Case {
        const char* what;
        std::vector<ReportedFace> reported;
        std::u16string_view defaultFace;
        Names expected;
    };
    const std::u16string longest(31, u'W'), tooLong(32, u'W');
    const Case cases[] = {
        {"one face per character set, listed once",
         {{u"Times New Roman"}, {u"Arial"}, {u"Arial"}, {u"Arial"}, {u"Times New Roman"}},
         u"Arial",
         {u"Arial", u"Times New Roman"}},
        {"the default is listed though never reported",
         {{u"Tahoma"}, {u"Arial"}},
         u"MS Sans Serif",
         {u"Arial", u"MS Sans Serif", u"Tahoma"}},
        {"the default reported in another case comes once",
         {{u"MS Sans Serif"}, {u"Courier New"}},
         u"ms sans serif",
         {u"Courier New", u"MS Sans Serif"}},
        {"sorted without regard to case",
         {{u"webdings"}, {u"Verdana"}, {u"consolas"}, {u"Calibri"}, {u"ARIAL BLACK"}, {u"Arial"}},
         u"",
         {u"Arial", u"ARIAL BLACK", u"Calibri", u"consolas", u"Verdana", u"webdings"}},
        {"vertical twins and printer-only fonts are left out",
         {{u"@MS Mincho"}, {u"MS Mincho"}, {u"@SimSun"}, {u"Courier", true}, {u"Courier New"}},
         u"",
         {u"Courier New", u"MS Mincho"}},
        {"raster faces are kept",
         {{u"Small Fonts"}, {u"System"}, {u"Terminal"}, {u"Fixedsys"}},
         u"",
         {u"Fixedsys", u"Small Fonts", u"System", u"Terminal"}},
        {"Cyrillic names fold too, Ё in its place in the alphabet",
         {{u"Шрифт"}, {u"ШРИФТ"}, {u"ёлка"}, {u"Ёлка"}, {u"Жук"}, {u"Еда"}},
         u"",
         {u"Еда", u"Ёлка", u"Жук", u"ШРИФТ"}},
        {"names a character format cannot hold are left out, a bad default too",
         {{longest}, {tooLong}, {u""}},
         tooLong,
         {longest}},
        {"an empty or vertical default adds nothing",
         {{u"Arial"}},
         u"@Arial",
         {u"Arial"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FontBoxNames(c.reported, c.defaultFace), c.expected) << c.what;
    }
}
