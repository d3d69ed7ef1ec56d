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
