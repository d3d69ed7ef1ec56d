#include "pages/page_name.h"

#include <gtest/gtest.h>

using namespace tavrik::pages;

TEST(PageName, OrdinaryNamesAreSafe) {
    for (const char16_t* name : {u"Tavrikdesk", u"Заметки на завтра", u"a.b", u"COM0", u"LPT", u"CONSOLE",
                                 u"Con game", u"1", u"x;y", u"[draft]"})
        EXPECT_TRUE(IsSafeStoredPageName(name));
}

TEST(PageName, NamesThatLeaveTheFolderOrAreRefusedAreUnsafe) {
    for (const char16_t* name : {u"", u"..", u"..\\..\\Windows\\win", u"a\\b", u"a/b", u"C:x", u"a*", u"a?",
                                 u"a\"b", u"<a>", u"a|b", u"tab\there", u"x..y"})
        EXPECT_FALSE(IsSafeStoredPageName(name));
}

TEST(PageName, ReservedDeviceNamesInAnyCaseAndWithExtensions) {
    for (const char16_t* name : {u"CON", u"con", u"Prn", u"AUX", u"nul", u"COM1", u"com9", u"LPT1", u"lpt9",
                                 u"NUL.txt", u"CON .x", u"aux "})
        EXPECT_TRUE(IsReservedDeviceName(name));
    EXPECT_FALSE(IsReservedDeviceName(u"COM10"));
    EXPECT_FALSE(IsReservedDeviceName(u"NULL"));
    EXPECT_FALSE(IsSafeStoredPageName(u"LPT3"));
}

TEST(PageName, TheProgramsOwnCheckComesFirst) {
    for (const char16_t* name : {u"a.b", u"x\\y", u"a/b", u"*", u"\"q\"", u"c:", u"<a>", u"why?", u"..."})
        EXPECT_EQ(CheckPageName(name, 10), NameProblem::IllegalCharacter);
}

TEST(PageName, NamesTheSettingsFileOrWindowsCannotHoldAreRefused) {
    EXPECT_EQ(CheckPageName(u"", 10), NameProblem::Empty);
    for (const char16_t* name : {u"a=b", u" lead", u"trail ", u";comment", u"[section]"})
        EXPECT_EQ(CheckPageName(name, 10), NameProblem::NotForSettings);
    for (const char16_t* name : {u"a|b", u"tab\there", u"CON", u"nul", u"COM1", u"LPT9"})
        EXPECT_EQ(CheckPageName(name, 10), NameProblem::NotForFiles);
    EXPECT_EQ(CheckPageName(std::u16string(200, u'x'), 60), NameProblem::TooLong);
    EXPECT_EQ(CheckPageName(std::u16string(200, u'x'), 60, true), NameProblem::TooLong);
    for (const char16_t* name : {u"Notes", u"Заметки на завтра", u"a;b", u"x[1]", u"COM10", u"Tavrikdesk"})
        EXPECT_EQ(CheckPageName(name, 10), NameProblem::None);
}

// Without long paths, a version's path ("<folder>~versions\\<name>\\2026-12-09 14-03-27.123 elsewhere.tvk")
// must stay within 259 characters, or the version kept before a page is emptied could not be made.
TEST(PageName, NameLeavesRoomForItsVersionsPath) {
    struct Case {
        std::size_t length;
        bool longPaths;
        NameProblem expected;
    };
    // A folder of 60 characters: 60 + 10 + name + 1 + 37 characters.
    for (const Case& c : {Case{151, false, NameProblem::None}, Case{152, false, NameProblem::TooLong},
                          Case{190, false, NameProblem::TooLong}, Case{190, true, NameProblem::None},
                          Case{196, true, NameProblem::TooLong}})
        EXPECT_EQ(CheckPageName(std::u16string(c.length, u'x'), 60, c.longPaths), c.expected) << c.length;
}

TEST(PageName, TheVersionsFolderIsNoPageInAnyLetterCase) {
    for (const char16_t* name : {u"~versions", u"~Versions", u"~VERSIONS"}) {
        EXPECT_EQ(CheckPageName(name, 10), NameProblem::VersionsFolder);
        EXPECT_FALSE(IsSafeStoredPageName(name));
    }
    for (const char16_t* name : {u"versions", u"~versions1", u"~ versions"})
        EXPECT_EQ(CheckPageName(name, 10), NameProblem::None);
}

TEST(PageName, NamesThatDifferInCaseShareAFile) {
    EXPECT_TRUE(SameFileName(u"Notes", u"NOTES"));
    EXPECT_TRUE(SameFileName(u"Заметки", u"ЗАМЕТКИ"));
    EXPECT_TRUE(SameFileName(u"ёлка", u"Ёлка"));
    EXPECT_FALSE(SameFileName(u"Notes", u"Notes2"));
    EXPECT_FALSE(SameFileName(u"Заметки", u"Заметка"));
}

TEST(PageName, NewPageNamesTakeTheFirstFreeNumber) {
    EXPECT_EQ(ProposeNewPageName(u"New page", {u"Tavrikdesk"}), u"New page1");
    EXPECT_EQ(ProposeNewPageName(u"New page", {u"New page1", u"new PAGE2", u"New page4"}), u"New page3");
    EXPECT_EQ(ProposeNewPageName(u"Новая", {u"Новая1", u"НОВАЯ2"}), u"Новая3");
}

TEST(PageName, NamesTooLongForAFileNameWithItsExtensionAreUnsafe) {
    EXPECT_TRUE(IsSafeStoredPageName(std::u16string(251, u'x')));  // 255 with ".tvk"
    EXPECT_FALSE(IsSafeStoredPageName(std::u16string(252, u'x')));
    EXPECT_FALSE(IsSafeStoredPageName(std::u16string(100000, u'я')));
}

TEST(PageName, OldNamesTheListCannotHoldGetASafeNameThatPassesTheCheck) {
    struct Case {
        std::u16string_view name;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {u"[Work]", u"Work]"},
        {u";Ideas", u"Ideas"},
        {u" ; [ x", u"x"},
        {u"a=b", u"a_b"},
        {u"  padded  ", u"padded"},
        {u"Планы=2027 ", u"Планы_2027"},
        {u"a.b\\c/d:e*f?g\"h<i>j|k", u"a_b_c_d_e_f_g_h_i_j_k"},
        {u"tab\there", u"tab_here"},
        {u"; ", u"Page"},
        {u"", u"Page"},
        {u"CON", u"CON_"},
        {u"[lpt1", u"lpt1_"},
        {u"~Versions ", u"~Versions_"},
        {u"Notes", u"Notes 3"},  // "Notes" and "notes 2" taken
    };
    const auto taken = [](std::u16string_view name) { return SameFileName(name, u"NOTES") || SameFileName(name, u"notes 2"); };
    for (const Case& c : cases) {
        const std::u16string made = MakeSafePageName(c.name, taken);
        EXPECT_EQ(made, c.expected);
        EXPECT_EQ(CheckPageName(made, 10), NameProblem::None) << "made from an old name of " << c.name.size();
    }
    const std::u16string longOne = MakeSafePageName(u"[" + std::u16string(100000, u'x'), taken);
    EXPECT_LE(longOne.size() + 4 + 3, kMaxFileNameLength) << "room for the extension and a number";
    EXPECT_EQ(longOne.front(), u'x');
}

TEST(PageName, ShownNamesAreCutWithAnEllipsisNeverInsideAPair) {
    EXPECT_EQ(ShownName(u"Notes", 5), u"Notes");
    EXPECT_EQ(ShownName(u"Notes!", 5), u"Note…");
    EXPECT_EQ(ShownName(u"ab\U0001F600cd", 4), u"ab…") << "the emoji is two units: both or none";
    EXPECT_EQ(ShownName(std::u16string(100000, u'x')).size(), kShownNameLimit);
}
