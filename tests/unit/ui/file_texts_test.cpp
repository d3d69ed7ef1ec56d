#include "ui/file_texts.h"

#include <gtest/gtest.h>

using namespace tavrik::ui;

// The English texts stay as users have always seen them; the reason follows each file, and a failed
// write says once that the files on disk are as they were.
TEST(FileTexts, EachFileWithItsReasonAndAfterAFailedWriteThatTheOldFilesAreWhole) {
    const FailedFile a{u"C:\\P\\A.tvk", u"Access is denied."}, b{u"C:\\P\\%s.tvk", u"The disk is full."};
    struct Case {
        FileFailure failure;
        std::vector<FailedFile> files;
        Language language;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {FileFailure::CannotCreate, {a}, Language::English,
         u"Cannot create file \"C:\\P\\A.tvk\". Access is denied.\r\nThe file on disk is as it was."},
        {FileFailure::CannotCreate, {a, b}, Language::English,
         u"Cannot create file \"C:\\P\\A.tvk\". Access is denied.\r\nCannot create file \"C:\\P\\%s.tvk\". The disk is "
         u"full.\r\nThe files on disk are as they were."},
        {FileFailure::CannotCreate, {a}, Language::Russian,
         u"Не удаётся создать файл \"C:\\P\\A.tvk\". Access is denied.\r\nФайл на диске остался прежним."},
        {FileFailure::CannotOpen, {a}, Language::English, u"Cannot open file \"C:\\P\\A.tvk\". Access is denied."},
        {FileFailure::CannotOpen, {a}, Language::Russian, u"Не удаётся открыть файл \"C:\\P\\A.tvk\". Access is denied."},
        {FileFailure::UnableToWrite, {a}, Language::English,
         u"Unable to write to C:\\P\\A.tvk\r\nAccess is denied.\r\nThe file on disk is as it was."},
        {FileFailure::UnableToWrite, {a}, Language::Russian,
         u"Не удаётся записать C:\\P\\A.tvk\r\nAccess is denied.\r\nФайл на диске остался прежним."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileFailureText(c.failure, c.files, c.language), c.expected) << static_cast<int>(c.failure);
}
