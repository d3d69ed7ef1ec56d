// What saves cut short leave in the save folder: named after their page, and settled at the next start.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "pages/page_file_look.h"
#include "pages/save_leftover_sweep.h"
#include "test_folder.h"

#include <cwchar>

using namespace tavrik;
using test::Exists;
using test::ReadBytes;

namespace {

constexpr std::string_view kWholePage = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard Milk, bread, tea\\par}";

// 2026-12-09 10:00:00 UTC, plus minutes and milliseconds.
FILETIME At(int minutes, int milliseconds = 0) {
    SYSTEMTIME base{2026, 12, 3, 9, 10, 0, 0, 0};
    FILETIME time{};
    SystemTimeToFileTime(&base, &time);
    const ULONGLONG ticks = ((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime) +
                            (minutes * 60000ull + milliseconds) * 10000ull;  // in 100 ns
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void WriteAt(const std::wstring& path, std::string_view bytes, const FILETIME& written) {
    test::WriteBytes(path, bytes);
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
}

// A version's name: the local date and time of the moment, to the millisecond.
std::wstring VersionName(const FILETIME& utc) {
    SYSTEMTIME system{}, local{};
    FileTimeToSystemTime(&utc, &system);
    SystemTimeToTzSpecificLocalTime(nullptr, &system, &local);
    wchar_t name[64];
    swprintf(name, 64, L"%04u-%02u-%02u %02u-%02u-%02u.%03u.tvk", local.wYear, local.wMonth, local.wDay, local.wHour,
             local.wMinute, local.wSecond, local.wMilliseconds);
    return name;
}

}  // namespace

TEST(SaveLeftovers, SavesWriteFirstToATemporaryFileNamedAfterThePage) {
    test::TempFolder folder;
    WIN32_FIND_DATAW seen{};
    ASSERT_EQ(app::ReplaceFileContents(folder.Path() + L"Заметки v1.2.tvk", [&](HANDLE file) {
        FindClose(FindFirstFileW((folder.Path() + L"*.tmp").c_str(), &seen));
        return app::WriteAll(file, "text", 4);
    }), static_cast<DWORD>(ERROR_SUCCESS));
    const std::wstring start = L"Заметки v1.2.tvk.~tvk" + std::to_wstring(GetCurrentProcessId()) + L"_";
    EXPECT_EQ(std::wstring(seen.cFileName).substr(0, start.size()), start);
}

TEST(SaveLeftovers, AtStartWholeOnesTakeThePlaceThatNeverCameAndNewerOnesBecomeVersions) {
    test::MessageLog log;
    test::FormInFolder f;
    const std::wstring folder = f.folder.Path();
    f.WriteIni(test::IniBuilder().Page("Notes").Page("Cut").Page("Older").Page("Gone"));
    const std::string old = "{\\rtf1\\ansi Milk}";
    WriteAt(f.PageFile(L"Notes"), old, At(0));
    WriteAt(folder + L"Notes.tvk.~tvk1200_5000.tmp", kWholePage, At(30, 250));  // written, not yet renamed
    // A version already at that very millisecond, and a version copy that never got its name.
    const std::wstring notesVersions = folder + L"~versions\\Notes\\";
    CreateDirectoryW((folder + L"~versions").c_str(), nullptr);
    CreateDirectoryW(notesVersions.c_str(), nullptr);
    test::WriteBytes(notesVersions + VersionName(At(30, 250)), "earlier");
    WriteAt(notesVersions + VersionName(At(20)) + L".~tvk1200_4000.tmp", kWholePage, At(20));
    WriteAt(notesVersions + VersionName(At(25)) + L".~tvk1200_4001.tmp", kWholePage.substr(0, 30), At(25));
    WriteAt(f.PageFile(L"Cut"), old, At(0));
    WriteAt(folder + L"Cut.tvk.~tvk1200_6000.tmp", kWholePage.substr(0, 40), At(30));  // cut short
    WriteAt(f.PageFile(L"Older"), old, At(60));
    WriteAt(folder + L"Older.tvk.~tvk1200_7000.tmp", kWholePage, At(30));  // a later save went through
    // A stick pulled during the rename: the page file is gone, the save is whole.
    WriteAt(folder + L"Gone.tvk.~tvk1200_8000.tmp", kWholePage, At(45, 999));
    WriteAt(folder + L"~tvk1200_9000.tmp", kWholePage, At(50));  // of earlier versions: whose, nobody knows
    WriteAt(folder + L"~tvkmove1200_3_1.tmp", kWholePage.substr(0, 20), At(50));  // a copy of a move, cut short
    const auto strangers = {L"Notes.tvk.~tvk1200_5000.tmp.bak", L"~tvkmove1200_1_0.tmp", L"Notes.tvk~tvk1_2.tmp"};
    for (const auto* name : strangers) WriteAt(folder + name, kWholePage, At(90));

    ASSERT_TRUE(f.Start());
    pages::SettleVersionCopyLeftovers(notesVersions, L"Notes", false);  // as the page's versions are next touched

    EXPECT_EQ(ReadBytes(notesVersions + VersionName(At(30, 250))), "earlier");
    EXPECT_EQ(ReadBytes(notesVersions + VersionName(At(30, 251))), kWholePage);
    EXPECT_EQ(ReadBytes(notesVersions + VersionName(At(20))), kWholePage) << "the copy became its version";
    EXPECT_FALSE(Exists(notesVersions + VersionName(At(25)))) << "nothing to keep of a cut copy";
    EXPECT_EQ(ReadBytes(f.PageFile(L"Gone")), kWholePage) << "the only whole copy became the page file";
    for (const std::wstring& name :
         {folder + L"Notes.tvk.~tvk1200_5000.tmp", folder + L"Cut.tvk.~tvk1200_6000.tmp",
          folder + L"Older.tvk.~tvk1200_7000.tmp", folder + L"Gone.tvk.~tvk1200_8000.tmp",
          folder + L"~tvk1200_9000.tmp", folder + L"~tvkmove1200_3_1.tmp",
          notesVersions + VersionName(At(20)) + L".~tvk1200_4000.tmp",
          notesVersions + VersionName(At(25)) + L".~tvk1200_4001.tmp"})
        EXPECT_FALSE(Exists(name)) << "left behind";
    EXPECT_FALSE(Exists(folder + L"~versions\\Cut")) << "nothing to keep of a cut save";
    EXPECT_FALSE(Exists(folder + L"~versions\\Older"));
    EXPECT_FALSE(Exists(folder + L"~versions\\Gone"));
    // Not ours to touch, and a whole file the move set aside may be the only copy of what it replaced.
    for (const auto* name : strangers) EXPECT_EQ(ReadBytes(folder + name), kWholePage) << "not ours to touch";
    // Page files are never replaced here: the pages read what their files held.
    EXPECT_EQ(ReadBytes(f.PageFile(L"Notes")), old);
    EXPECT_EQ(editor::GetText(f.form->Editor(0)), L"Milk");
    EXPECT_EQ(editor::GetText(f.form->Editor(3)).find(L"Milk, bread, tea"), 0u);
    ASSERT_EQ(log.texts.size(), 1u) << "told once, after start-up, which pages have a version";
    EXPECT_NE(log.texts[0].find(L"Notes"), std::wstring::npos);
    EXPECT_EQ(log.texts[0].find(L"Gone"), std::wstring::npos);
}
