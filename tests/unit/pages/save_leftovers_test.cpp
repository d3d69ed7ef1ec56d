#include "pages/save_leftovers.h"

#include <gtest/gtest.h>

using namespace tavrik::pages;

namespace {
std::optional<std::u16string> TargetOf(std::u16string_view name) {
    const auto leftover = RecogniseSaveLeftover(name);
    return leftover ? std::optional(leftover->target) : std::nullopt;
}
}  // namespace

TEST(SaveLeftovers, TempNamesGiveBackTheirPageFile) {
    EXPECT_EQ(SaveTempName(u"Notes.tvk", 20, 1234, 5678), u"Notes.tvk.~tvk1234_5678.tmp");
    EXPECT_EQ(TargetOf(u"Notes.tvk.~tvk1234_5678.tmp"), u"Notes.tvk");
    // Cyrillic, dots inside the name, and a page named like a temporary file of its own.
    for (const std::u16string_view file : {u"Заметки на ёлке.tvk", u"v1.2 notes.tvk", u"Notes.tvk.~tvk1_2.tmp.tvk"})
        EXPECT_EQ(TargetOf(SaveTempName(file, 3, 4294967295u, 18446744073709551615ull)), file);
    EXPECT_EQ(TargetOf(u"~tvk4321_123456789.tmp"), u"") << "the nameless form of earlier versions";
    // 204 characters in a folder of 50 leave room for the page file, not for the long temporary name.
    const std::u16string longFile = std::u16string(200, u'ж') + u".tvk";
    EXPECT_EQ(TargetOf(SaveTempName(longFile, 30, 7, 8)), longFile);
    EXPECT_EQ(SaveTempName(longFile, 50, 7, 8), u"~tvk7_8.tmp");
    EXPECT_EQ(SaveTempName(std::u16string(250, u'a') + u".tvk", 3, 7, 8), u"~tvk7_8.tmp") << "over 255 in one name";
}

TEST(SaveLeftovers, NoOtherFileIsEverTaken) {
    for (const std::u16string_view name :
         {u"Notes.tvk", u"Notes.tmp", u"~tvk12.tmp", u"~tvk12_.tmp", u"~tvk1a_2.tmp", u"Notes.tvk.~tvk12_34.TMP",
          u".~tvk1_2.tmp", u"Notes.tvk~tvk1_2.tmp", u"Notes.tvk.~tvk1_2.tmp.bak", u"~tvkmove12_34_0.tmp",
          u"~tvk123456789012345678901_1.tmp", u"~tvk١_٢.tmp", u"~WRL0001.tmp", u""})
        EXPECT_FALSE(RecogniseSaveLeftover(name)) << std::string(name.begin(), name.end());
    EXPECT_EQ(PageOfFile(u"v1.2 Заметки.TVK"), u"v1.2 Заметки");
    EXPECT_EQ(PageOfFile(u"tavrik.ini"), std::nullopt);
    EXPECT_EQ(PageOfFile(u".tvk"), std::nullopt);
}

TEST(SaveLeftovers, KeptOnesAreWholeAndNamedAfterTheirTime) {
    constexpr std::string_view kWhole = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Shopping\\par}\r\n";
    EXPECT_TRUE(IsWholePageDocument(kWhole, false));
    EXPECT_FALSE(IsWholePageDocument(kWhole.substr(0, 40), false)) << "cut short by the crash";
    EXPECT_FALSE(IsWholePageDocument("Shopping list", false)) << "rich pages are never written as text";
    EXPECT_TRUE(IsWholePageDocument("Shopping list", true));
    EXPECT_FALSE(IsWholePageDocument("\xEF\xBB\xBF", true)) << "the mark alone: nothing was written after it";
}
