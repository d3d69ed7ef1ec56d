#include "pages/shell_path.h"
#include "ui/move_texts.h"

#include <gtest/gtest.h>

using namespace tavrik;
using ui::FileFacts;
using ui::Language;

TEST(SameNameLine, SaysWhichCopyIsNewerWithBothDatesAndSizes) {
    const FileFacts morning{true, 1234, 2026, 12, 9, 9, 5, 0};
    const FileFacts evening{true, 80, 2026, 12, 9, 21, 40, 0};
    const FileFacts eveningLater{true, 80, 2026, 12, 9, 21, 40, 30};  // same minute, later second
    const FileFacts none{};
    struct Case {
        FileFacts ours, theirs;
        std::u16string_view english, russian;
    };
    const Case cases[] = {
        {morning, evening, u"Notes: this copy 2026-12-09 09:05, 1 234 bytes; in the new folder 2026-12-09 21:40, 80 bytes, newer",
         u"Notes: здесь 2026-12-09 09:05, 1 234 байт; в новой папке 2026-12-09 21:40, 80 байт, новее"},
        {evening, morning, u"Notes: this copy 2026-12-09 21:40, 80 bytes, newer; in the new folder 2026-12-09 09:05, 1 234 bytes",
         u"Notes: здесь 2026-12-09 21:40, 80 байт, новее; в новой папке 2026-12-09 09:05, 1 234 байт"},
        {evening, eveningLater, u"Notes: this copy 2026-12-09 21:40, 80 bytes; in the new folder 2026-12-09 21:40, 80 bytes, newer",
         u"Notes: здесь 2026-12-09 21:40, 80 байт; в новой папке 2026-12-09 21:40, 80 байт, новее"},
        {evening, evening, u"Notes: this copy 2026-12-09 21:40, 80 bytes; in the new folder 2026-12-09 21:40, 80 bytes",
         u"Notes: здесь 2026-12-09 21:40, 80 байт; в новой папке 2026-12-09 21:40, 80 байт"},
        {none, {true, 5000000, 2027, 1, 2, 3, 4, 5},
         u"Notes: this copy no file yet; in the new folder 2027-01-02 03:04, 5 000 000 bytes, newer",
         u"Notes: здесь файла ещё нет; в новой папке 2027-01-02 03:04, 5 000 000 байт, новее"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::SameNameLine(u"Notes", c.ours, c.theirs, Language::English), c.english);
        EXPECT_EQ(ui::SameNameLine(u"Notes", c.ours, c.theirs, Language::Russian), c.russian);
    }
}

TEST(MoveTexts, EveryTextReadsInBothLanguages) {
    for (int i = 0; i <= static_cast<int>(ui::MoveText::NotMoved); ++i) {
        const auto which = static_cast<ui::MoveText>(i);
        EXPECT_FALSE(ui::MoveTextIn(which, Language::English).empty()) << i;
        EXPECT_NE(ui::MoveTextIn(which, Language::Russian), ui::MoveTextIn(which, Language::English)) << i;
    }
}

TEST(ShellPath, TakesOffTheLongPathPrefixTheShellCannotParse) {
    struct Case {
        std::u16string_view path, expected;
    };
    const Case cases[] = {
        {u"\\\\?\\C:\\Заметки\\Notes.tvk", u"C:\\Заметки\\Notes.tvk"},
        {u"\\\\?\\UNC\\server\\share\\Notes.tvk", u"\\\\server\\share\\Notes.tvk"},
        {u"\\\\?\\unc\\server\\share\\Notes.tvk", u"\\\\server\\share\\Notes.tvk"},
        {u"\\\\?\\Volume{6a9b1c2d-0000-0000-0000-100000000000}\\Notes.tvk",
         u"\\\\?\\Volume{6a9b1c2d-0000-0000-0000-100000000000}\\Notes.tvk"},  // nothing names it without
        {u"C:\\Notes\\Notes.tvk", u"C:\\Notes\\Notes.tvk"},
        {u"\\\\server\\share\\Notes.tvk", u"\\\\server\\share\\Notes.tvk"},
        {u"\\\\?\\UNC\\", u"\\\\?\\UNC\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(pages::ShellPath(c.path), c.expected);
}
