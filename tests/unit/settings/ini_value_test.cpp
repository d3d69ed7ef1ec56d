#include "settings/ini_value.h"

#include <gtest/gtest.h>

using namespace tavrik::settings;

TEST(IniValue, ReadsDecimalAndPrefixedHexadecimal) {
    EXPECT_EQ(ParseInt(u"145"), 145);
    EXPECT_EQ(ParseInt(u"-16777211"), -16777211);
    EXPECT_EQ(ParseInt(u"0x91"), 145);
    EXPECT_EQ(ParseInt(u"0X604e"), 0x604E);
    EXPECT_EQ(ParseInt(u"0xFFFFFFFF"), -1);  // a colour pattern written in hexadecimal by hand
    EXPECT_EQ(ParseInt(u"  12 "), 12);
    EXPECT_EQ(ParseInt(u"007"), 7);
}

TEST(IniValue, NonNumberIsNoNumber) {
    for (const char16_t* text : {u"", u"yes", u"0x", u"0xG1", u"12abc", u"1.5", u"0x123456789", u"-",
                                 u"2147483648", u"99999999999"})
        EXPECT_EQ(ParseInt(text), std::nullopt) << "value of length " << std::u16string(text).size();
    EXPECT_EQ(ParseInt(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal(u"0x10"), std::nullopt);  // page entries are strictly decimal
}

TEST(IniValue, NonNumberTakesDefault) {
    EXPECT_EQ(IntOr(std::nullopt, 418), 418);
    EXPECT_EQ(IntOr(u"wide", 418), 418);
    EXPECT_EQ(IntOr(u"500", 418), 500);
    // Booleans are integers: a word is the default, any number but 0 is true.
    EXPECT_TRUE(BoolOr(u"yes", true));
    EXPECT_FALSE(BoolOr(u"yes", false));
    EXPECT_TRUE(BoolOr(u"2", false));
    EXPECT_TRUE(BoolOr(u"-1", false));
    EXPECT_FALSE(BoolOr(u"0", true));
    EXPECT_TRUE(BoolOr(std::nullopt, true));
}

TEST(IniValue, FormatsIntegersInDecimal) {
    EXPECT_EQ(FormatInt(0), u"0");
    EXPECT_EQ(FormatInt(16777215), u"16777215");
    EXPECT_EQ(FormatInt(-2147483647 - 1), u"-2147483648");
}

TEST(IniValue, FoldersEndInOneBackslash) {
    EXPECT_EQ(WithTrailingBackslash(u"C:\\Notes"), u"C:\\Notes\\");
    EXPECT_EQ(WithTrailingBackslash(u"C:\\Notes\\"), u"C:\\Notes\\");
    EXPECT_EQ(WithTrailingBackslash(u"D:"), u"D:\\");
}

TEST(IniValue, SplitsZeroSeparatedKeyLists) {
    const std::u16string buffer(u"C\0A\0\u0417\u0430\u043C\u0435\u0442\u043A\u0438\0\0", 12);
    EXPECT_EQ(SplitZeroList(buffer), (std::vector<std::u16string>{u"C", u"A", u"Заметки"}));
    EXPECT_TRUE(SplitZeroList(std::u16string(2, u'\0')).empty());
    EXPECT_EQ(SplitZeroList(u"cut"), std::vector<std::u16string>{u"cut"});  // no terminator at all
}
