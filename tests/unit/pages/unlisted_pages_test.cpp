#include "pages/unlisted_pages.h"

#include "pages/page_name.h"

#include <gtest/gtest.h>

using namespace tavrik::pages;

namespace {
using Names = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

const Names kPages{u"Notes", u"Заметки", u"Notes (2)", u"Work-LOG", u"Tavrikdesk"};
}  // namespace

TEST(UnlistedPages, OnlyPageFilesNoPageListsAreFound) {
    const Names folder{
        u"Notes.tvk",                    // listed
        u"NOTES.TVK",                    // listed, as Windows compares names
        u"заметки.tvk",                  // listed, Cyrillic in another case
        u"Shopping.tvk",                 // made on another computer
        u"Notes.sync-conflict-20261209-101500-ABCDEFG.tvk",
        u"Notes.tvk.~tvk1234_5678.tmp",  // a save's temporary file
        u"~tvk4321_123456789.tmp",
        u"Notes.tvk.~tvk1_2.tmp.tvk",    // a page named like one is still a page
        u"tavrik.ini",
        u"Notes",                        // the old form without extension belongs to its page
        u"readme.txt",
        u"Notes.tvkx",                   // "*.tvk" finds it through its short name
        u".tvk",
        u"~versions.tvk",                // never a page's name
        u"CON.tvk",
        u"~versions\\Notes\\2026-12-09 14-03-27.123.tvk",
        u"a..b.tvk",
        u"Восток.TVK",
    };
    EXPECT_EQ(UnlistedPageFiles(folder, kPages),
              (Names{u"Shopping.tvk", u"Notes.sync-conflict-20261209-101500-ABCDEFG.tvk", u"Notes.tvk.~tvk1_2.tmp.tvk",
                     u"Восток.TVK"}));
    EXPECT_EQ(UnlistedPageFiles(folder, {}).size(), 7u) << "with no pages, the listed ones are unlisted too";
}

TEST(UnlistedPages, ConflictCopiesAreToldFromPagesOfTheirOwn) {
    struct Case {
        std::u16string_view stem;
        std::optional<std::u16string_view> page;
        std::u16string_view computer = {};
    };
    const Case cases[] = {
        {u"Notes (Anna Petrova's conflicted copy 2026-12-09)", u"Notes"},
        {u"Notes (Anna's conflicted copy 2026-12-09) (1)", u"Notes"},  // the copy's own copy
        {u"notes (Case Conflict)", u"Notes"},
        {u"Notes (Selective Sync Conflict)", u"Notes"},
        {u"Notes (conflicted copy 2026-12-09 101500)", u"Notes"},
        {u"Notes_conflict-20261209-101500", u"Notes"},
        {u"Notes [Conflict]", u"Notes"},
        {u"Заметки (конфликтующая копия 2026-12-09)", u"Заметки"},
        {u"Notes.sync-conflict-20261209-101500-ABCDEFG", u"Notes"},
        {u"Notes.sync-conflict-20261209-101500", u"Notes"},
        {u"Notes-LAPTOP", u"Notes"},
        {u"Notes-DESKTOP-4F2K9Q", u"Notes"},
        {u"Notes-LAPTOP-2", u"Notes"},
        {u"Заметки-PC1", u"Заметки"},
        {u"Notes (1)", u"Notes"},
        {u"Notes (2) (1)", u"Notes (2)"},  // the longer page it copies
        {u"Notes (3)", u"Notes"},
        {u"Work-LOG-HOME", u"Work-LOG"},
        {u"Notes-anna-laptop", u"Notes", u"Anna-Laptop"},  // this computer, as it spells itself
        {u"Notes-old", std::nullopt},         // a page of the user's own
        {u"Notes-2026", std::nullopt},
        {u"Notes-Anna", std::nullopt},
        {u"Notes-", std::nullopt},
        {u"Notes (old)", std::nullopt},
        {u"Notes (1234)", std::nullopt},
        {u"Notes ()", std::nullopt},
        {u"Notes copy", std::nullopt},
        {u"Notes.sync-conflict-2026", std::nullopt},
        {u"Shopping (Anna's conflicted copy 2026-12-09)", std::nullopt},  // no page Shopping
        {u"Notes", std::nullopt},             // the page's own file
        {u"(1)", std::nullopt},
        {u"-LAPTOP", std::nullopt},
        {u"Notes (1) (1) (1) (1)", std::nullopt},  // deeper than any service goes
        {u"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto page = ConflictCopyOf(c.stem, kPages, c.computer);
        EXPECT_EQ(page, c.page ? std::optional<std::u16string>(*c.page) : std::nullopt) << Narrow(c.stem);
    }
}

TEST(UnlistedPages, AConflictCopyOpensBesideItsPageUnderANameOfItsOwn) {
    struct Case {
        std::u16string_view stem;
        std::optional<std::u16string_view> date;
    };
    const Case dates[] = {
        {u"Notes (Anna's conflicted copy 2026-12-09)", u"2026-12-09"},
        {u"Notes (conflicted copy 2026-12-09 101500)", u"2026-12-09"},
        {u"Notes.sync-conflict-20261209-101500-ABCDEFG", u"2026-12-09"},
        {u"Notes_conflict-20261209-101500", u"2026-12-09"},
        {u"Notes-LAPTOP", std::nullopt},
        {u"Notes (2)", std::nullopt},
        {u"Notes 2026-13-09", std::nullopt},  // no such month
        {u"Notes 12026-12-09", std::nullopt},
        {u"Notes 123456789", std::nullopt},
    };
    for (const Case& c : dates)
        EXPECT_EQ(ConflictDate(c.stem), c.date ? std::optional<std::u16string>(*c.date) : std::nullopt) << Narrow(c.stem);

    EXPECT_EQ(ConflictPageName(u"Notes", u"conflict", u"2026-12-09", kPages), u"Notes (conflict 2026-12-09)");
    EXPECT_EQ(ConflictPageName(u"Notes", u"conflict", u"2026-12-09", {u"NOTES (CONFLICT 2026-12-09)", u"x"}),
              u"Notes (conflict 2026-12-09) (2)");
    EXPECT_EQ(ConflictPageName(u"Заметки", u"конфликт", u"", {u"Заметки (конфликт)", u"заметки (конфликт) (2)"}),
              u"Заметки (конфликт) (3)");
}

TEST(UnlistedPages, AFileKeepsItsNameWhenThePageRulesTakeIt) {
    struct Case {
        std::u16string_view stem;
        std::u16string_view page;
    };
    const Case cases[] = {
        {u"Shopping", u"Shopping"},
        {u"Заметки на ёлке", u"Заметки на ёлке"},
        {u"Notes (Anna's conflicted copy 2026-12-09)", u"Notes (Anna's conflicted copy 2026-12-09)"},
        {u"v1.2 notes", u"v1_2 notes"},  // a dot is never in a page's name
        {u"Notes.sync-conflict-20261209-101500-ABC", u"Notes_sync-conflict-20261209-101500-ABC"},
        {u"a=b", u"a_b"},                // the settings file would lose it
        {u";draft", u"_;draft"},
        {u"[x]", u"_[x]"},
        {u" lead", u"lead"},
        {u"NUL", u"_NUL"},
        {u"Tavrikdesk", u"Tavrikdesk (2)"},  // taken
        {u"tavrikdesk", u"tavrikdesk (2)"},
    };
    for (const Case& c : cases) EXPECT_EQ(PageNameForFile(c.stem, 20, kPages), c.page) << Narrow(c.stem);
    const std::u16string longName = PageNameForFile(std::u16string(240, u'ж'), 40, {});
    EXPECT_EQ(CheckPageName(longName + u" (99)", 40), NameProblem::None) << "room left for its number";
}
