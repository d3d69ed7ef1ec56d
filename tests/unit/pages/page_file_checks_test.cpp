#include "pages/page_file_checks.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrik::pages;

TEST(OldPageFile, RichTextAlwaysPlainTextOnlyInAFolderOfPages) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view head;
        bool inGeneralFolder, inPageFolder;
    };
    const Case cases[] = {
        {"{\\rtf1\\ansi\\deff0 old notes\\par}", true, true},
        {"Buy milk\r\nCall Anna\r\n\tsoon\x1A", false, true},
        {"\xEF\xBB\xBFUTF-8 with its mark", false, true},
        {"\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0", false, true},  // "Привет, мир" in Windows-1251
        {"# Project\n\nRead me first.\n", false, true},             // a README: text, so only beside pages
        {"", false, false},
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"sv, false, false},
        {"MZ\x90\0\x03\0\0\0"sv, false, false},
        {"PK\x03\x04\x14\0"sv, false, false},
        {"%PDF-1.7\n", false, false},
        {"<?xml version=\"1.0\"?>", false, false},
        {"#!/bin/sh\necho hi\n", false, false},
        {"\xFF\xFEN\0o\0t\0e\0s\0"sv, false, false},  // UTF-16: old versions never wrote it
        {"text with a \x07 bell", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsOldPageFile(c.head, false), c.inGeneralFolder) << c.head;
        EXPECT_EQ(IsOldPageFile(c.head, true), c.inPageFolder) << c.head;
    }
}

TEST(PageFileSize, TheLimitLeavesRoomInEveryBuild) {
    EXPECT_TRUE(FitsInMemory(0));
    EXPECT_TRUE(FitsInMemory(kMaxPageFileBytes));
    EXPECT_FALSE(FitsInMemory(kMaxPageFileBytes + 1));
    EXPECT_FALSE(FitsInMemory(600ull << 20)) << "hundreds of megabytes are refused";
    EXPECT_TRUE(FitsInMemory(20ull << 20)) << "a long page of formatted text is read";
}
