#include "settings/ini_document.h"

#include <gtest/gtest.h>

using namespace tavrik::settings;

namespace {
// As an older version's profile services wrote it, then edited by hand in a Unix editor.
constexpr std::u16string_view kHandEdited =
    u"; Tavrik settings\n"
    u"[parameters]\n"
    u"  HOTKEY = 0x91 \n"
    u"Multitabs=1\n"
    u"DefaultFontName=\"Courier New\"\n"
    u"broken line\n"
    u"\n"
    u"[Pages]\n"
    u"Заметки=16777215*MS Sans Serif*0*10*0*0*1*\n"
    u"Other=1*";
}  // namespace

TEST(IniDocument, ReadsAsTheProfileServicesDo) {
    const IniDocument ini(kHandEdited);
    EXPECT_EQ(ini.Get(u"Parameters", u"HotKey"), u"0x91");                 // any case, blanks trimmed
    EXPECT_EQ(ini.Get(u"PARAMETERS", u"defaultfontname"), u"Courier New");  // one pair of quotes off
    EXPECT_EQ(ini.Get(u"pages", u"ЗАМЕТКИ"), u"16777215*MS Sans Serif*0*10*0*0*1*");
    EXPECT_EQ(ini.Get(u"Parameters", u"broken line"), std::nullopt);
    EXPECT_EQ(ini.Get(u"Parameters", u"; Tavrik settings"), std::nullopt);
    EXPECT_EQ(ini.Get(u"Missing", u"HotKey"), std::nullopt);
    EXPECT_EQ(ini.Keys(u"Parameters"), (std::vector<std::u16string>{u"HOTKEY", u"Multitabs", u"DefaultFontName"}));
    EXPECT_EQ(ini.Keys(u"Pages"), (std::vector<std::u16string>{u"Заметки", u"Other"}));

    const IniDocument odd(u"[A]\r\nq=\"half\r\nDup=first\r\ndup=second\r\nLong=" + std::u16string(3000, u'x') +
                          u"\r\n[a]\r\nLater=1\r\n");
    EXPECT_EQ(odd.Get(u"A", u"q"), u"\"half");    // no pair, no quotes taken off
    EXPECT_EQ(odd.Get(u"A", u"DUP"), u"first");   // the first of twins counts
    EXPECT_EQ(odd.Get(u"A", u"Long")->size(), kMaxIniValue);
    EXPECT_EQ(odd.Get(u"A", u"Later"), std::nullopt);  // a second section of the name is not read
}

TEST(IniDocument, ChangesOnlyTheLinesItWrites) {
    IniDocument ini(kHandEdited);
    ini.Set(u"Parameters", u"MultiTabs", u"0");      // the key keeps the file's spelling
    ini.Set(u"Parameters", u"Language", u"0");       // after the last key, before the blank line
    ini.Set(u"pages", u"Third", u"3*");              // the last line had no line break
    ini.Set(u"StandartToolbar", u"Visible", u"1");  // a new section at the end
    EXPECT_EQ(ini.Text(),
              u"; Tavrik settings\n"
              u"[parameters]\n"
              u"  HOTKEY = 0x91 \n"
              u"Multitabs=0\n"
              u"DefaultFontName=\"Courier New\"\n"
              u"Language=0\n"
              u"broken line\n"
              u"\n"
              u"[Pages]\n"
              u"Заметки=16777215*MS Sans Serif*0*10*0*0*1*\n"
              u"Other=1*\n"
              u"Third=3*\n"
              u"[StandartToolbar]\n"
              u"Visible=1\n");
    EXPECT_EQ(IniDocument(u"").Text(), u"");
    IniDocument fresh;
    fresh.Set(u"Pages", u"Tavrikdesk", u"1*");
    EXPECT_EQ(fresh.Text(), u"[Pages]\r\nTavrikdesk=1*\r\n");
}

TEST(IniDocument, DeletesKeysAndSections) {
    IniDocument ini(u"[Pages]\r\nNotes=1*\r\nNOTES=2*\r\nOther=3*\r\n\r\n[Parameters]\r\nA=1\r\n[pages]\r\nX=1\r\n");
    ini.Delete(u"Pages", u"notes");  // twins too: the second would come to light
    EXPECT_EQ(ini.Keys(u"Pages"), std::vector<std::u16string>{u"Other"});
    ini.Delete(u"Pages", u"Missing");
    ini.Delete(u"Missing", u"Other");
    ini.EraseSection(u"PAGES");
    EXPECT_EQ(ini.Text(), u"[Parameters]\r\nA=1\r\n");
}

TEST(IniDocument, ReplaceSectionKeepsItsPlaceAndComments) {
    IniDocument ini(u"[Parameters]\r\nA=1\r\n[Pages]\r\n; the list\r\nOld=1*\r\nGone=2*\r\n\r\n[Z]\r\nB=2\r\n");
    ini.ReplaceSection(u"pages", {{u"B", u"2*"}, {u"A", u"3*"}});
    EXPECT_EQ(ini.Text(), u"[Parameters]\r\nA=1\r\n[Pages]\r\n; the list\r\nB=2*\r\nA=3*\r\n\r\n[Z]\r\nB=2\r\n");
    ini.ReplaceSection(u"New", {{u"K", u"v"}});
    EXPECT_EQ(ini.Keys(u"New"), std::vector<std::u16string>{u"K"});

    IniEntries many;
    for (int i = 0; i < 700; ++i) many.emplace_back(u"A page with a rather long name " + std::u16string(1, u'a' + i % 26), u"1*");
    ini.ReplaceSection(u"Pages", many);
    EXPECT_EQ(ini.Keys(u"Pages").size(), 700u);
    EXPECT_EQ(ini.Get(u"Z", u"B"), u"2");
}

TEST(IniDocument, LineBreaksInAValueCannotMakeLinesOfTheirOwn) {
    IniDocument ini;
    ini.Set(u"Parameters", u"SaveTo", u"C:\\x\r\n[Pages]\r\nInjected=1*");
    EXPECT_EQ(ini.Keys(u"Pages"), std::vector<std::u16string>{});
    EXPECT_EQ(IniDocument(ini.Text()).Keys(u"Parameters"), std::vector<std::u16string>{u"SaveTo"});
}

TEST(IniDocument, NamesMatchWithoutRegardToCase) {
    EXPECT_TRUE(SameIniName(u"Éclair Ёлка Σίσυφος", u"éCLAIR ёЛКА σίσυφοσ"));
    EXPECT_TRUE(SameIniName(u"Pages", u"PAGES"));
    EXPECT_FALSE(SameIniName(u"Pages", u"Page"));
    EXPECT_FALSE(SameIniName(u"a÷", u"a\u00D7"));  // ÷ and × are no case pair
}

// Found by the fuzz target: a folder typed with a blank at its end, or a font name in quotes,
// came back without them at the next start.
TEST(IniDocument, ValuesWithBlanksOrQuotesAtTheirEndsReadBackAsWritten) {
    IniDocument ini(u"[Parameters]\r\n");
    for (const std::u16string_view value : {u"D:\\Notes ", u" x", u"\"Courier New\"", u"'a'", u"\t"}) {
        ini.Set(u"Parameters", u"SaveTo", value);
        EXPECT_EQ(IniDocument(ini.Text()).Get(u"Parameters", u"SaveTo"), value);
    }
    ini.Set(u"Parameters", u"SaveTo", u"D:\\Notes\\");  // an ordinary value is written as it always was
    EXPECT_EQ(ini.Text(), u"[Parameters]\r\nSaveTo=D:\\Notes\\\r\n");
}
