#include "pages/page_book.h"
#include "pages/page_versions.h"

#include <gtest/gtest.h>

#include <cwctype>

using namespace tavrik::pages;

namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

ListEntries Entries(std::initializer_list<const wchar_t*> names) {
    ListEntries entries;
    for (const wchar_t* name : names) entries.emplace_back(name, std::wstring(name) + L"*");
    return entries;
}

std::vector<std::wstring> Names(const ListEntries& entries) {
    std::vector<std::wstring> names;
    for (const auto& entry : entries) names.push_back(entry.first);
    return names;
}

}  // namespace

// Another computer's edit must never be written over, an unchanged page never rewritten, and a
// page deleted elsewhere never brought back unasked.
TEST(PageBook, SaveDecisions) {
    struct Case {
        bool changedHere, hadFile;
        FileNow there;
        SaveStep expected;
        bool ending = false;
    } const cases[] = {
        {false, true, FileNow::AsKnown, SaveStep::Nothing},
        {true, true, FileNow::AsKnown, SaveStep::Write},
        {false, true, FileNow::Changed, SaveStep::Reload},
        {true, true, FileNow::Changed, SaveStep::KeepBoth},
        {false, false, FileNow::Changed, SaveStep::Reload},   // made elsewhere for a page that had none
        {true, false, FileNow::Changed, SaveStep::KeepBoth},
        {false, true, FileNow::Gone, SaveStep::Nothing},      // deleted elsewhere: the text stays in the program
        {true, true, FileNow::Gone, SaveStep::Write},
        {false, false, FileNow::Gone, SaveStep::Write},       // a new page gets its file
        {false, true, FileNow::Gone, SaveStep::Write, true},  // at the end, the text would be nowhere
        {false, true, FileNow::AsKnown, SaveStep::Nothing, true},
        {false, true, FileNow::Unreachable, SaveStep::Nothing, true},
        {false, true, FileNow::Unreachable, SaveStep::Nothing},  // read-only or held: blocks nothing
        {false, true, FileNow::FolderGone, SaveStep::Write},     // the text may be nowhere else: said
        {true, true, FileNow::Unreachable, SaveStep::Write},     // tried, and the failure is said
        {false, false, FileNow::Unreachable, SaveStep::Write},   // a new page in a folder that is away
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideSave(c.changedHere, c.hadFile, c.there, c.ending), c.expected)
            << c.changedHere << c.hadFile << static_cast<int>(c.there);
}

TEST(PageBook, StampAndHashTellChangesApart) {
    const FileStamp stamp{1024, 133'000'000'000'000'000, 132'000'000'000'000'000};
    const KnownFile known{stamp, ContentHash("{\\rtf1 a}")};
    EXPECT_TRUE(StampTellsAll(known, stamp));
    FileStamp touched = stamp;
    touched.writeTime += 10'000'000;  // a sync client set the time again
    FileStamp replaced = stamp;
    replaced.creationTime += 1;  // a file renamed over it, same size and write time
    for (const FileStamp& other : {touched, replaced}) EXPECT_FALSE(StampTellsAll(known, other));
    EXPECT_FALSE(StampTellsAll(std::nullopt, stamp));
    // Only the bytes decide then; the hash of the parts is the hash of the whole, however cut.
    EXPECT_EQ(ContentHash("{\\rtf1 a}"), known.hash);
    EXPECT_NE(ContentHash("{\\rtf1 b}"), known.hash);
    const std::string page = "{\\rtf1\\ansi Milk, bread and tea for the week}\r\n";
    for (const std::size_t cut : {0u, 1u, 7u, 8u, 9u, 30u}) {
        ContentHasher parts;
        parts.Add(std::string_view(page).substr(0, cut));
        parts.Add(std::string_view(page).substr(cut, 3));
        parts.Add(std::string_view(page).substr(std::min(page.size(), cut + 3)));
        EXPECT_EQ(parts.Value(), ContentHash(page)) << cut;
    }
    std::string changed = page;
    changed[20] = 'X';  // one letter of it
    EXPECT_NE(ContentHash(changed), ContentHash(page));
    EXPECT_NE(ContentHash(std::string(8, '\0')), ContentHash(std::string(16, '\0')));
    EXPECT_NE(ContentHash(""), ContentHash(std::string_view("\0", 1)));
}

// Two copies of Tavrik on one tavrik.ini, in a synced folder, write the list in turn.
TEST(PageBook, PageListMerge) {
    struct Case {
        const char* what;
        ListEntries onDisk, ours;
        std::vector<std::wstring> known;
        std::vector<std::wstring> expected;
    } const cases[] = {
        {"nothing new", Entries({L"A", L"B"}), Entries({L"B", L"A"}), {L"A", L"B"}, {L"B", L"A"}},
        {"added by the other copy: kept after the entry it followed", Entries({L"A", L"Laptop", L"B", L"Last"}),
         Entries({L"A", L"B"}), {L"A", L"B"}, {L"A", L"Laptop", L"B", L"Last"}},
        {"added first on disk: after ours", Entries({L"First", L"A"}), Entries({L"A", L"B"}), {L"A", L"B"},
         {L"A", L"B", L"First"}},
        {"deleted here", Entries({L"A", L"B"}), Entries({L"A"}), {L"A", L"B"}, {L"A"}},
        {"renamed here", Entries({L"A", L"Old"}), Entries({L"A", L"New"}), {L"A", L"Old", L"New"}, {L"A", L"New"}},
        {"added here", Entries({L"A"}), Entries({L"A", L"Mine"}), {L"A", L"Mine"}, {L"A", L"Mine"}},
        {"one name in another letter case is one page", Entries({L"notes"}), Entries({L"Notes"}), {L"Notes"},
         {L"Notes"}},
        {"the file gone or emptied", {}, Entries({L"A"}), {L"A"}, {L"A"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Names(MergePageList(c.onDisk, c.ours, c.known, SameIgnoringCase)), c.expected) << c.what;
    // Our values win for our pages; theirs are kept as they wrote them.
    const ListEntries merged =
        MergePageList({{L"A", L"old*"}, {L"X", L"255*"}}, {{L"A", L"new*"}}, {L"A"}, SameIgnoringCase);
    EXPECT_EQ(merged, (ListEntries{{L"A", L"new*"}, {L"X", L"255*"}}));
}

TEST(PageBook, MovesRenamesAndRemovesKeepWhatTheListKnew) {
    PageBook<int> book;
    std::vector<BookPage<int>> pages(4);
    for (int i = 0; i < 4; ++i) {
        pages[static_cast<size_t>(i)].name = std::wstring(1, static_cast<wchar_t>(L'1' + i));
        pages[static_cast<size_t>(i)].editor = i + 1;
    }
    book.Reset(std::move(pages));
    book.Move(0, 2);  // the first of four onto the third
    book.Move(3, 1);
    std::wstring order;
    for (const auto& page : book) order += page.name + std::to_wstring(page.editor);
    EXPECT_EQ(order, L"22443311");  // 2, 4, 3, 1: each name with its own editor
    order.clear();
    book.Rename(1, L"Four");
    book.Remove(0);
    for (const auto& page : book) order += page.name;
    EXPECT_EQ(order, L"Four31");
    EXPECT_EQ(book.Known(), (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"Four"}));
}

TEST(PageVersions, VersionsFromElsewhereSayItAndSortWithTheRest) {
    VersionTime theirs{2026, 12, 9, 10, 15, 0, 7};
    theirs.elsewhere = true;
    EXPECT_EQ(VersionFileName(theirs), u"2026-12-09 10-15-00.007 elsewhere.tvk");
    EXPECT_EQ(ParseVersionFileName(u"2026-12-09 10-15-00.007 elsewhere.tvk"), theirs);
    EXPECT_FALSE(ParseVersionFileName(u"2026-12-09 10-15-00.007 elsewhere2.tvk"));
    EXPECT_EQ(VersionsToDrop({u"2026-12-09 10-15-00.007 elsewhere.tvk", u"2026-12-09 10-15-00.008.tvk"}, 1),
              (std::vector<std::u16string>{u"2026-12-09 10-15-00.007 elsewhere.tvk"}));
    EXPECT_TRUE(OneMillisecondLater(theirs).elsewhere);
}
