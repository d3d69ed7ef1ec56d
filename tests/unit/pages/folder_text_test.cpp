#include "pages/folder_text.h"

#include <gtest/gtest.h>

using namespace tavrik::pages;

TEST(FolderText, DrivesAndSharesAreAccepted) {
    for (const char16_t* text : {u"C:\\", u"C:\\Notes\\", u"d:/notes", u"C:\\Мои заметки", u"\\\\server\\share",
                                 u"\\\\server\\share\\Заметки\\", u"  C:\\Notes  ", u"\\\\?\\C:\\Notes"})
        EXPECT_EQ(CheckFolderText(text), FolderTextProblem::None);
}

TEST(FolderText, EmptiedFieldIsRefused) {
    for (const char16_t* text : {u"", u"   ", u"\\", u"\\\\", u"/"})
        EXPECT_EQ(CheckFolderText(text), FolderTextProblem::Empty);
}

TEST(FolderText, RelativeFoldersAreRefused) {
    for (const char16_t* text : {u"notes", u".\\notes", u"..\\notes", u"\\notes", u"\\\\server", u"\\\\server\\",
                                 u"\\\\\\share", u"1:\\x", u"Заметки\\"})
        EXPECT_EQ(CheckFolderText(text), FolderTextProblem::Relative);
    for (const char16_t* text : {u"C:", u"C:notes", u"c:..\\notes"})
        EXPECT_EQ(CheckFolderText(text), FolderTextProblem::DriveRelative);
}

TEST(FolderText, HeldWithOneTrailingBackslash) {
    EXPECT_EQ(WithTrailingBackslash(u"C:\\Notes"), u"C:\\Notes\\");
    EXPECT_EQ(WithTrailingBackslash(u"C:\\Notes\\\\/"), u"C:\\Notes\\");
    EXPECT_EQ(WithTrailingBackslash(u" C:\\Заметки "), u"C:\\Заметки\\");
}
