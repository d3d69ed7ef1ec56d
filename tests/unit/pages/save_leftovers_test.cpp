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

TEST(SaveLeftovers, OnlyCopyOfATextIsNeverDeleted) {
    using K = LeftoverKind;
    using T = TargetNow;
    using F = LeftoverFate;
    struct Case {
        const char* what;
        K kind;
        T target;
        std::optional<bool> whole;
        F expected;
    };
    const Case cases[] = {
        {"stick pulled during the rename: the page file is gone", K::PageSave, T::Absent, true, F::BecomeTarget},
        {"a later save than the page file", K::PageSave, T::Older, true, F::KeepAsVersion},
        {"the page file is as new or newer", K::PageSave, T::NotOlder, true, F::Delete},
        {"cut short, page file gone", K::PageSave, T::Absent, false, F::Delete},
        {"cut short, page file older", K::PageSave, T::Older, false, F::Delete},
        {"the folder of the page cannot be asked", K::PageSave, T::Unreachable, true, F::Leave},
        {"locked or still being written", K::PageSave, T::Absent, std::nullopt, F::Leave},
        {"a version copy that never got its name", K::VersionCopy, T::Absent, true, F::BecomeTarget},
        {"a version copy whose version is there", K::VersionCopy, T::NotOlder, true, F::Delete},
        {"no versions of versions", K::VersionCopy, T::Older, true, F::Delete},
        {"a version copy cut short", K::VersionCopy, T::Absent, false, F::Delete},
        {"a file the folder move set aside", K::FolderMove, T::Absent, true, F::Leave},
        {"a copy of the folder move cut short", K::FolderMove, T::Absent, false, F::Delete},
        {"nameless, of earlier versions", K::Nameless, T::Absent, true, F::Delete},
    };
    for (const Case& c : cases) EXPECT_EQ(FateOfLeftover(c.kind, c.target, c.whole), c.expected) << c.what;
}

TEST(SaveLeftovers, FolderMoveNamesAreTheMovesOwn) {
    EXPECT_TRUE(IsFolderMoveLeftover(u"~tvkmove1200_987654_3.tmp"));
    for (const std::u16string_view name : {u"~tvkmove1200_987654.tmp", u"~tvkmove1200_987654_3.tmp.bak",
                                           u"Notes ~tvkmove1_2_3.tmp", u"~tvkmove1_2_x.tmp", u"~tvkmove_1_2.tmp",
                                           u"~tvk1200_5000.tmp", u"~tvkmove1_2_3.TMP.tvk"})
        EXPECT_FALSE(IsFolderMoveLeftover(name)) << std::string(name.begin(), name.end());
}

// A save that keeps a version sweeps the page's versions folder only when a leftover lies in it.
TEST(SaveLeftovers, AFolderNeedsSweepingOnlyWithALeftoverInIt) {
    struct Case {
        std::vector<std::u16string> names;
        bool expected;
    };
    const Case cases[] = {
        {{}, false},
        {{u"2026-12-09 14-03-27.123.tvk", u"2026-12-09 14-03-27.124 elsewhere.tvk"}, false},
        {{u"desktop.ini", u"Thumbs.db", u"~WRL0001.tmp", u"Notes.tvk.~tvk12_34.TMP", u"~tvk12_.tmp"}, false},
        {{u"2026-12-09 14-03-27.123.tvk", u"2026-12-10 09-00-00.000.tvk.~tvk1234_5678.tmp"}, true},  // a copy cut short
        {{u"2026-12-09 14-03-27.123.tvk", u"~tvk4321_123456789.tmp"}, true},  // nameless, of earlier versions
        {{u"~tvkmove1200_987654_3.tmp"}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(AnyLeftover(c.names), c.expected) << c.names.size();
}

TEST(SaveLeftovers, RescuedPagesGetNamesThatFitTheirFolder) {
    const std::u16string longName = std::u16string(240, u'ж');
    struct Case {
        std::u16string page;
        std::size_t folder;
        int number;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"Заметки", 40, 1, u"Заметки.tvk"},
        {u"Заметки", 40, 3, u"Заметки (3).tvk"},
        {longName, 40, 1, std::u16string(215, u'ж') + u".tvk"},   // 40 + 215 + 4 = 259
        {longName, 40, 12, std::u16string(210, u'ж') + u" (12).tvk"},
        {longName, 3, 1, std::u16string(240, u'ж') + u".tvk"},
        {u"Shopping list for Monday", 246, 1, u"Shopping.tvk"},   // cut before the blank
        {u"a\U0001F600b", 253, 1, u"a.tvk"},                       // never half an emoji
        {u"Notes", 258, 1, u"_.tvk"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RescueFileName(c.page, c.folder, c.number), c.expected) << c.folder << " " << c.number;
}
