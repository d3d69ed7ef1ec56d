#include "pages/page_versions.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavrik::pages;

TEST(PageVersions, NamesRoundTripAndSortAsTheirTimes) {
    const VersionTime morning{2026, 12, 9, 9, 5, 7, 3};
    const VersionTime afternoon{2026, 12, 9, 14, 3, 27, 123};
    const VersionTime nextYear{2027, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ(VersionFileName(afternoon), u"2026-12-09 14-03-27.123.tvk");
    EXPECT_EQ(VersionFileName(morning), u"2026-12-09 09-05-07.003.tvk");
    for (const VersionTime& t : {morning, afternoon, nextYear}) EXPECT_EQ(ParseVersionFileName(VersionFileName(t)), t);
    EXPECT_LT(VersionFileName(morning), VersionFileName(afternoon));
    EXPECT_LT(VersionFileName(afternoon), VersionFileName(nextYear));
    EXPECT_EQ(ParseVersionFileName(u"2026-12-09 14-03-27.123.TVK"), afternoon);  // Windows ignores the case
}

TEST(PageVersions, OtherNamesAreNoVersions) {
    for (const char16_t* name : {u"Notes.tvk", u"~tvk12_345.tmp", u"2026-12-09 14-03-27.123.tvk.tmp",
                                 u"2026-12-09 14-03-27.12.tvk", u"2026-12-09_14-03-27.123.tvk",
                                 u"2026-13-09 14-03-27.123.tvk", u"2026-02-29 14-03-27.123.tvk",
                                 u"2026-12-09 24-00-00.000.tvk", u"2026-12-09 14-60-00.000.tvk",
                                 u"2026-12-09 14-03-27.123.txt", u"２026-12-09 14-03-27.123.tvk", u""})
        EXPECT_FALSE(ParseVersionFileName(name).has_value());
    EXPECT_TRUE(ParseVersionFileName(u"2028-02-29 00-00-00.000.tvk").has_value());  // a leap day
}

TEST(PageVersions, AMillisecondLaterCarriesOverEveryField) {
    EXPECT_EQ(OneMillisecondLater({2026, 12, 9, 14, 3, 27, 123}), (VersionTime{2026, 12, 9, 14, 3, 27, 124}));
    EXPECT_EQ(OneMillisecondLater({2026, 12, 31, 23, 59, 59, 999}), (VersionTime{2027, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(OneMillisecondLater({2028, 2, 28, 23, 59, 59, 999}), (VersionTime{2028, 2, 29, 0, 0, 0, 0}));
    EXPECT_EQ(OneMillisecondLater({2026, 4, 30, 10, 59, 59, 999}), (VersionTime{2026, 4, 30, 11, 0, 0, 0}));
}

// Whatever the clock says, a new version sorts after every one kept before it.
TEST(PageVersions, NewVersionSortsLastWhateverTheClockSays) {
    struct Case {
        const char* what;
        VersionTime now;
        std::vector<std::u16string> names;
        std::u16string expected;
    };
    const VersionTime afternoon{2026, 12, 9, 14, 3, 27, 123};
    VersionTime afternoonElsewhere = afternoon;
    afternoonElsewhere.elsewhere = true;
    const Case cases[] = {
        {"first version", afternoon, {}, u"2026-12-09 14-03-27.123.tvk"},
        {"clock ahead of all", afternoon, {u"2026-12-09 14-03-27.122.tvk", u"2025-01-01 00-00-00.000.tvk"},
         u"2026-12-09 14-03-27.123.tvk"},
        {"clock set back a year", {2025, 12, 9, 9, 0, 0, 0}, {u"2026-12-09 14-03-27.123.tvk", u"2026-01-01 00-00-00.000.tvk"},
         u"2026-12-09 14-03-27.124.tvk"},
        {"same millisecond", afternoon, {u"2026-12-09 14-03-27.123.tvk"}, u"2026-12-09 14-03-27.124.tvk"},
        {"same millisecond, theirs", afternoonElsewhere, {u"2026-12-09 14-03-27.123.tvk"},
         u"2026-12-09 14-03-27.124 elsewhere.tvk"},
        {"a computer ten hours east, over midnight", afternoon,
         {u"2026-12-09 23-59-59.999 elsewhere.tvk", u"2026-12-09 12-00-00.000.tvk"}, u"2026-12-10 00-00-00.000.tvk"},
        {"other files tell nothing", afternoon, {u"9999-12-31 notes.txt", u"~tvk12_34.tmp"},
         u"2026-12-09 14-03-27.123.tvk"},
    };
    for (const Case& c : cases) {
        const std::u16string name = VersionFileName(NextVersionTime(c.now, c.names));
        EXPECT_EQ(name, c.expected) << c.what;
        for (const std::u16string& old : c.names) {
            if (ParseVersionFileName(old)) {
                EXPECT_GT(name, old) << c.what;
            }
        }
        // Kept and then rotated down to one: the new one stays.
        std::vector<std::u16string> after = c.names;
        after.push_back(name);
        const auto dropped = VersionsToDrop(after, 1, name);
        EXPECT_EQ(std::count(dropped.begin(), dropped.end(), name), 0) << c.what;
    }
}

TEST(PageVersions, RotationKeepsTheNewestAndTheLastOfEachDayWeekAndMonth) {
    const std::vector<std::u16string> names{
        u"2026-12-09 18-00-00.000.tvk",  // the newest
        u"2026-12-09 09-00-00.000.tvk",  // second newest: within the count of 2
        u"2026-12-08 20-00-00.000.tvk",  // last of yesterday
        u"2026-12-08 07-00-00.000.tvk",
        u"2026-12-03 12-00-00.000.tvk",  // last of six days back
        u"2026-12-02 12-00-00.000.tvk",  // seven days back: last of the week before
        u"2026-12-01 12-00-00.000.tvk",
        u"notes.txt",
        u"2026-11-20 12-00-00.000.tvk",  // last of the third week, and of November
        u"2026-11-19 12-00-00.000 elsewhere.tvk",
        u"2026-11-10 12-00-00.000.tvk",  // 29 days back: past the four weeks
        u"~tvk1_2.tmp",
        u"2026-01-05 12-00-00.000.tvk",  // last of January, eleven months back
        u"2025-12-31 23-59-59.999.tvk",  // twelve months back
    };
    const std::vector<std::u16string> dropped{u"2026-12-08 07-00-00.000.tvk", u"2026-12-01 12-00-00.000.tvk",
                                              u"2026-11-19 12-00-00.000 elsewhere.tvk", u"2026-11-10 12-00-00.000.tvk",
                                              u"2025-12-31 23-59-59.999.tvk"};
    EXPECT_EQ(VersionsToDrop(names, 2), dropped);
    EXPECT_EQ(VersionsToDrop(names, 12), std::vector<std::u16string>{});
    EXPECT_EQ(VersionsToDrop(names, 11), std::vector<std::u16string>{u"2025-12-31 23-59-59.999.tvk"});
    EXPECT_EQ(VersionsToDrop(names, 2, u"2026-11-10 12-00-00.000.tvk").size(), dropped.size() - 1);

    // A page saved twenty times today after damage keeps the text of the days before.
    std::vector<std::u16string> damaged{u"2026-12-08 10-00-00.000.tvk", u"2026-11-01 10-00-00.000.tvk"};
    for (int minute = 0; minute < 20; ++minute)
        damaged.push_back(VersionFileName({2026, 12, 9, 15, minute, 0, 0}));
    const auto gone = VersionsToDrop(damaged, 5);
    EXPECT_EQ(gone.size(), 15u);
    for (const std::u16string& old : {damaged[0], damaged[1]}) EXPECT_EQ(std::count(gone.begin(), gone.end(), old), 0);
}

TEST(PageVersions, ShrinkBelowATenthOrToNothingAlwaysKeepsAVersion) {
    EXPECT_TRUE(ShrinksDrastically(1000, 99));
    EXPECT_FALSE(ShrinksDrastically(1000, 100));
    EXPECT_TRUE(ShrinksDrastically(5, 0));
    EXPECT_FALSE(ShrinksDrastically(0, 0));
    EXPECT_FALSE(ShrinksDrastically(100, 5000));

    constexpr std::uint64_t hour = std::uint64_t{60} * 60 * 1000, start = 5000;
    EXPECT_TRUE(VersionDue(std::nullopt, start, 1000, 1200)) << "the first replace of the run";
    EXPECT_FALSE(VersionDue(start, start + hour - 1, 1000, 1200));
    EXPECT_TRUE(VersionDue(start, start + hour, 1000, 1200));
    EXPECT_TRUE(VersionDue(start, start + 1, 1000, 0)) << "emptied within the hour";
    EXPECT_FALSE(VersionDue(std::nullopt, start, 0, 1200)) << "an empty file is nothing to keep";
}

TEST(PageVersions, PreviewRunsLinesTogetherAndCutsLongText) {
    EXPECT_EQ(TextPreview(u"  Shopping:\r\n\r\n\tmilk,  bread \r\n"), u"Shopping: milk, bread");
    EXPECT_EQ(TextPreview(u"Купить хлеба", 60), u"Купить хлеба");
    EXPECT_EQ(TextPreview(u"Купить хлеба и молока", 12), u"Купить хлеба…");
    EXPECT_EQ(TextPreview(u"ab\U0001F600cd", 3), u"ab…") << "never half of a surrogate pair";
    EXPECT_EQ(TextPreview(u""), u"");
}

TEST(PageVersions, PageNamedAfterTheVersionTakesTheNextFreeNumber) {
    const VersionTime t{2026, 12, 9, 14, 3, 27, 123};
    EXPECT_EQ(VersionPageName(u"Notes", t, {u"Notes"}), u"Notes 2026-12-09 14-03");
    EXPECT_EQ(VersionPageName(u"Notes", t, {u"NOTES 2026-12-09 14-03", u"Notes 2026-12-09 14-03 (2)"}),
              u"Notes 2026-12-09 14-03 (3)");
    EXPECT_EQ(VersionPageName(u"Заметки", t, {u"заметки 2026-12-09 14-03"}), u"Заметки 2026-12-09 14-03 (2)");
}
