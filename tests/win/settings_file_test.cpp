// The settings file, the Run value and replacing writes, on the real Windows services.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/unique.h"
#include "app/file_io.h"
#include "settings/autostart.h"
#include "settings/settings_file.h"
#include "test_folder.h"

using namespace tavrik;
using tavrik::test::ReadBytes;

namespace {

// The path, the system's reason, and that the file on disk is whole, in either language (a form
// speaks the language tavrik.ini names, Russian when it names none).
bool SaysUnableToWrite(const std::wstring& text, const std::wstring& path) {
    const auto says = [&](const std::wstring& start, const std::wstring& end) {
        return text.rfind(start, 0) == 0 && text.size() > start.size() + end.size() &&
               text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    return says(L"Unable to write to " + path + L"\r\n", L"\r\nThe file on disk is as it was.") ||
           says(L"Не удаётся записать " + path + L"\r\n", L"\r\nФайл на диске остался прежним.");
}
const std::wstring kPages = L"Pages";
const std::wstring kParameters = L"Parameters";

// Holds a file open with no sharing, as another program might.
app::UniqueFile LockExclusively(const std::wstring& path) {
    return app::UniqueFile(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                       nullptr));
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) names.emplace_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Writes until the volume holds no byte more: ERROR_SUCCESS, or the error that is not "disk full".
DWORD FillVolume(const std::wstring& path) {
    app::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return GetLastError();
    const std::string chunk(65536, 'x');
    for (DWORD size = 65536; size > 0; size /= 2) {
        DWORD written = size;
        while (written == size) {
            if (WriteFile(file.Get(), chunk.data(), size, &written, nullptr)) continue;
            const DWORD error = GetLastError();
            if (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL) return error;
            break;
        }
    }
    return ERROR_SUCCESS;
}
// The 1 MB tmpfs that CTest mounts around the tests when they run as root (small_volume.sh), or
// why there is none. What the test leaves in it is removed.
struct SmallVolume {
    std::wstring folder;
    std::string why;
    SmallVolume() {
        wchar_t path[MAX_PATH] = {};
        if (!GetEnvironmentVariableW(L"TAVRIK_SMALL_VOLUME", path, MAX_PATH))
            why = "no small volume: CTest gives one when the tests run as root";
        else if (!test::Exists(std::wstring(path) + L"mounted"))
            why = "the small volume is not mounted: not run as root";
        else
            folder = path;
    }
    ~SmallVolume() {
        if (folder.empty()) return;  // "" + "*" would list the current folder, and empty it
        for (const auto& name : FolderEntries(folder))
            if (name != L"mounted") DeleteFileW((folder + name).c_str());
    }
};

std::vector<std::pair<std::wstring, std::wstring>> NinetyPages() {
    std::vector<std::pair<std::wstring, std::wstring>> pages;
    pages.reserve(90);
    for (int i = 0; i < 90; ++i) pages.emplace_back(L"Page" + std::to_wstring(i), L"16777215*MS Sans Serif*0*10*0*0*1*");
    return pages;
}

// The file then ends where its last block of the volume ends, so it cannot grow in place.
void EndOnABlock(const settings::IniFile& ini) {
    std::wstring padding;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(ini.WriteString(kParameters, L"Padding", padding));
        padding.append((4096 - ReadBytes(ini.Path()).size() % 4096) % 4096 / 2, L'x');
    }
    ASSERT_EQ(ReadBytes(ini.Path()).size() % 4096, 0u);
}
}  // namespace

TEST(SettingsFile, MissingFileAndKeysGiveNothing) {
    test::TempFolder folder;
    const settings::IniFile ini(folder.Path() + L"tavrik.ini");
    EXPECT_EQ(ini.ReadString(kParameters, L"OnTop"), std::nullopt);
    EXPECT_EQ(ini.ReadInteger(kParameters, L"MainWidth", 418), 418);
    EXPECT_TRUE(ini.ReadSection(kPages).empty());
    EXPECT_FALSE(test::Exists(ini.Path()));  // reading creates nothing
}

TEST(SettingsFile, NewFileHoldsAnyPageName) {
    test::TempFolder folder;
    const settings::IniFile ini(folder.Path() + L"tavrik.ini");
    const std::wstring name = L"\u0417\u0430\u043C\u0435\u0442\u043A\u0438 \u03B1\u03B2 \u4E2D";  // Заметки αβ 中
    ASSERT_TRUE(ini.WriteString(kPages, name, L"1*"));
    EXPECT_EQ(ReadBytes(ini.Path()).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ini.ReadSection(kPages), std::vector<std::wstring>{name});
    EXPECT_EQ(ini.ReadString(kPages, name), L"1*");
}

TEST(SettingsFile, HandWrittenAnsiFileIsReadAndKeptAnsi) {
    test::TempFolder folder;
    const std::wstring path = folder.Path() + L"tavrik.ini";
    test::WriteAnsiIni(path, "[parameters]\r\nHOTKEY=0x91\r\nMultitabs=1\r\n[Pages]\r\nC=1*\r\nA=2*\r\nB=3*\r\n");
    const settings::IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(kParameters, L"HotKey", 0), 145);  // sections and keys in any case
    EXPECT_EQ(ini.ReadSection(kPages), (std::vector<std::wstring>{L"C", L"A", L"B"}));
    ASSERT_TRUE(ini.WriteBool(kParameters, L"MultiTabs", false));
    EXPECT_EQ(ini.ReadString(kParameters, L"Multitabs"), L"0");
    const std::wstring text = test::ReadIniText(path);
    EXPECT_EQ(text.find(L"MultiTabs"), std::wstring::npos) << "the key was added a second time";
    EXPECT_NE(ReadBytes(path).substr(0, 2), "\xFF\xFE");
}

TEST(SettingsFile, WritesKeepEveryLineTheyDoNotChange) {
    test::TempFolder folder;
    const std::wstring path = folder.Path() + L"tavrik.ini";
    // Edited by hand in a Unix editor: a comment, blanks, a line the program does not know.
    test::WriteAnsiIni(path, "; my settings\n[Parameters]\n  mainleft = 3 \nOnTop=1\nmy own line\n\n[Pages]\nA=1*\nB=2*");
    const settings::IniFile ini(path);
    ASSERT_TRUE(ini.Edit([](settings::IniEdit& edit) {
        edit.WriteInteger(kParameters, L"MainLeft", -8);
        edit.WriteInteger(kParameters, L"MainWidth", 418);
        edit.DeleteKey(kParameters, L"ONTOP");
        edit.WriteString(kPages, L"C", L"3*");
    }));
    EXPECT_EQ(ReadBytes(path),
              "; my settings\n[Parameters]\nmainleft=-8\nMainWidth=418\nmy own line\n\n[Pages]\nA=1*\nB=2*\nC=3*\n");
    EXPECT_EQ(ini.ReadInteger(kParameters, L"MAINLEFT", 0), -8);
}

TEST(SettingsFile, FullVolumeIsReportedAndLeavesTheFileWhole) {
    const SmallVolume volume;
    if (volume.folder.empty()) GTEST_SKIP() << volume.why;
    const settings::IniFile ini(volume.folder + L"tavrik.ini");
    auto pages = NinetyPages();
    ASSERT_TRUE(ini.ReplaceSection(kPages, pages));
    ASSERT_NO_FATAL_FAILURE(EndOnABlock(ini));
    const std::string before = ReadBytes(ini.Path());
    ASSERT_EQ(FillVolume(volume.folder + L"filler"), static_cast<DWORD>(ERROR_SUCCESS));

    test::MessageLog log;
    EXPECT_FALSE(ini.WriteInteger(kParameters, L"MainLeft", 10));
    pages.emplace_back(L"Page90", L"1*");
    EXPECT_FALSE(ini.Edit([&](settings::IniEdit& edit) {  // as a shut-down writes
        edit.WriteInteger(kParameters, L"MainTop", 20);
        edit.ReplaceSection(kPages, pages);
    }));
    EXPECT_EQ(ReadBytes(ini.Path()), before) << "the file was cut short";
    ASSERT_EQ(log.texts.size(), 2u);
    for (const auto& text : log.texts) EXPECT_TRUE(SaysUnableToWrite(text, ini.Path())) << text;
    EXPECT_EQ(FolderEntries(volume.folder), (std::vector<std::wstring>{L"filler", L"mounted", L"tavrik.ini"}))
        << "a temporary file was left behind";

    DeleteFileW((volume.folder + L"filler").c_str());  // room again: the same write goes through
    EXPECT_TRUE(ini.WriteInteger(kParameters, L"MainLeft", 10));
    EXPECT_EQ(ini.ReadSection(kPages).size(), 90u);
}

TEST(SettingsFile, ShutDownOnAFullVolumeSaysSoAndKeepsTheFile) {
    const SmallVolume volume;
    if (volume.folder.empty()) GTEST_SKIP() << volume.why;
    const settings::IniFile ini(volume.folder + L"tavrik.ini");
    ASSERT_TRUE(ini.ReplaceSection(kPages, NinetyPages()));
    ASSERT_NO_FATAL_FAILURE(EndOnABlock(ini));
    test::TempRegistryKey runKey;
    app::AppEnvironment env;
    env.programPath = volume.folder + L"tavrik.exe";
    env.programFolder = volume.folder;
    env.runKeyPath = runKey.Path();
    env.osVersion = 8;
    env.trayIcon = false;
    test::MessageLog log;
    auto form = std::make_unique<app::TTavrikForm>(env);
    ASSERT_TRUE(form->Create());
    ASSERT_EQ(form->PageCount(), 90);
    const std::string before = ReadBytes(ini.Path());
    // One block left: room for the start page's file, none for a new settings file.
    test::WriteBytes(volume.folder + L"spare", std::string(4096, 's'));
    ASSERT_EQ(FillVolume(volume.folder + L"filler"), static_cast<DWORD>(ERROR_SUCCESS));
    DeleteFileW((volume.folder + L"spare").c_str());

    EXPECT_FALSE(form->FinishAll());
    form.reset();  // the toolbar layout is written as the window goes, and fails too
    EXPECT_EQ(ReadBytes(ini.Path()), before) << "the file was cut short";
    ASSERT_FALSE(log.texts.empty());
    for (const auto& text : log.texts) EXPECT_TRUE(SaysUnableToWrite(text, ini.Path())) << text;
    for (const auto& name : FolderEntries(volume.folder)) EXPECT_EQ(name.find(L".tmp"), std::wstring::npos) << "left behind";
}

TEST(SettingsFile, LongValuesAreCutAt2047Characters) {
    test::TempFolder folder;
    const settings::IniFile ini(folder.Path() + L"tavrik.ini");
    ASSERT_TRUE(ini.WriteString(kParameters, L"SaveTo", std::wstring(3000, L'x')));
    EXPECT_EQ(ini.ReadString(kParameters, L"SaveTo")->size(), 2047u);
}

TEST(SettingsFile, LongPageListsAreReadWhole) {
    // More names than a 16384-character buffer holds: none may be lost or cut.
    test::TempFolder folder;
    const settings::IniFile ini(folder.Path() + L"tavrik.ini");
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    entries.reserve(700);
    for (int i = 0; i < 700; ++i) entries.emplace_back(L"A page with a rather long name number " + std::to_wstring(i), L"1*");
    ASSERT_TRUE(ini.ReplaceSection(kPages, entries));
    const auto names = ini.ReadSection(kPages);
    ASSERT_EQ(names.size(), entries.size());
    EXPECT_EQ(names.back(), entries.back().first);
}

TEST(SettingsFile, ReplaceSectionRewritesTheListAndKeepsOtherSections) {
    test::TempFolder folder;
    const settings::IniFile ini(folder.Path() + L"tavrik.ini");
    ASSERT_TRUE(ini.WriteString(kPages, L"Old", L"1*"));
    ASSERT_TRUE(ini.WriteInteger(kParameters, L"StartPage", 1));
    ASSERT_TRUE(ini.ReplaceSection(kPages, {{L"B", L"2*"}, {L"A", L"3*"}}));
    EXPECT_EQ(ini.ReadSection(kPages), (std::vector<std::wstring>{L"B", L"A"}));
    EXPECT_EQ(ini.ReadString(kPages, L"A"), L"3*");
    EXPECT_EQ(ini.ReadInteger(kParameters, L"StartPage", 0), 1);
}

TEST(SettingsFile, RefusedWriteIsReportedAndLeavesTheListWhole) {
    test::TempFolder folder;
    test::MessageLog log;
    const settings::IniFile ini(folder.Path() + L"tavrik.ini");
    ASSERT_TRUE(ini.ReplaceSection(kPages, {{L"A", L"1*"}, {L"B", L"2*"}}));
    const std::string before = ReadBytes(ini.Path());
    {
        auto lock = LockExclusively(ini.Path());
        ASSERT_TRUE(lock);
        EXPECT_FALSE(ini.ReplaceSection(kPages, {{L"C", L"3*"}}));
    }
    EXPECT_EQ(ReadBytes(ini.Path()), before);
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_TRUE(SaysUnableToWrite(log.texts[0], ini.Path())) << log.texts[0];
}

// Scoop keeps tavrik.ini between versions as a hard link to its own copy: a write through a
// temporary file would leave that copy with the old settings, lost at the next update.
TEST(SettingsFile, HardLinkedFileKeepsItsLinkAndABackup) {
    test::TempFolder folder;
    const std::wstring path = folder.Path() + L"tavrik.ini";
    const std::wstring kept = folder.Path() + L"kept.ini";  // the package manager's copy
    test::WriteAnsiIni(path, "[Parameters]\r\nOnTop=1\r\n");
    ASSERT_TRUE(CreateHardLinkW(kept.c_str(), path.c_str(), nullptr)) << GetLastError();
    const settings::IniFile ini(path);
    test::MessageLog log;
    ASSERT_TRUE(ini.WriteInteger(kParameters, L"MainLeft", 42));
    ASSERT_TRUE(ini.ReplaceSection(kPages, {{L"Notes", L"1*"}}));
    EXPECT_EQ(ReadBytes(kept), ReadBytes(path));
    EXPECT_EQ(settings::IniFile(kept).ReadInteger(kParameters, L"MainLeft", 0), 42);
    EXPECT_EQ(settings::IniFile(kept).ReadSection(kPages), std::vector<std::wstring>{L"Notes"});
    EXPECT_EQ(ReadBytes(path + L".bak"), "[Parameters]\r\nOnTop=1\r\nMainLeft=42\r\n") << "the last state before the write";
    EXPECT_TRUE(log.texts.empty());
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::wstring>{L"kept.ini", L"tavrik.ini", L"tavrik.ini.bak"}));
}

// With no room for the backup nothing is written, and the user hears that the file is whole.
TEST(SettingsFile, HardLinkedFileOnAFullVolumeStaysWhole) {
    const SmallVolume volume;
    if (volume.folder.empty()) GTEST_SKIP() << volume.why;
    const settings::IniFile ini(volume.folder + L"tavrik.ini");
    ASSERT_TRUE(ini.ReplaceSection(kPages, NinetyPages()));
    ASSERT_TRUE(CreateHardLinkW((volume.folder + L"kept.ini").c_str(), ini.Path().c_str(), nullptr));
    const std::string before = ReadBytes(ini.Path());
    ASSERT_EQ(FillVolume(volume.folder + L"filler"), static_cast<DWORD>(ERROR_SUCCESS));
    test::MessageLog log;
    EXPECT_FALSE(ini.WriteString(kParameters, L"SaveTo", std::wstring(3000, L'x')));
    EXPECT_EQ(ReadBytes(ini.Path()), before);
    EXPECT_EQ(ReadBytes(volume.folder + L"kept.ini"), before);
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_TRUE(SaysUnableToWrite(log.texts[0], ini.Path())) << log.texts[0];
}

TEST(RunKey, WritesTheProgramPathAndDeletesIt) {
    test::TempRegistryKey key;
    settings::RunKey run;
    ASSERT_TRUE(run.Open(HKEY_CURRENT_USER, key.Path()));  // created when missing
    run.Apply(false, L"C:\\x\\tavrik.exe");                // deleting a missing value is no error
    EXPECT_EQ(key.ReadString(L"Tavrik"), std::nullopt);
    run.Apply(true, L"C:\\Program Files\\T\\tavrik.exe");
    EXPECT_EQ(key.ReadString(L"Tavrik"), L"C:\\Program Files\\T\\tavrik.exe");  // no quotes, no arguments
    run.Apply(true, L"D:\\moved\\tavrik.exe");
    EXPECT_EQ(key.ReadString(L"Tavrik"), L"D:\\moved\\tavrik.exe");
    run.Apply(false, L"D:\\moved\\tavrik.exe");
    EXPECT_EQ(key.ReadString(L"Tavrik"), std::nullopt);
}

TEST(ReplaceFileContents, ReplacesWholeOrNotAtAll) {
    test::TempFolder folder;
    const std::wstring path = folder.Path() + L"Notes.tvk";
    test::WriteBytes(path, "old page");
    const auto write = [](std::string_view text) {
        return [text](HANDLE file) { return app::WriteAll(file, text.data(), text.size()); };
    };
    EXPECT_EQ(app::ReplaceFileContents(path, write("new page")), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(path), "new page");

    // A write that fails half-way (a full disk, say) leaves the old file and no temporary file.
    const DWORD error = app::ReplaceFileContents(path, [](HANDLE file) {
        app::WriteAll(file, "half", 4);
        SetLastError(ERROR_DISK_FULL);
        return false;
    });
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(ReadBytes(path), "new page");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder.Path() + L"*.tmp").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST(ReplaceFileContents, MissingFolderIsAnError) {
    test::TempFolder folder;
    const std::wstring path = folder.Path() + L"gone\\Notes.tvk";
    const DWORD error = app::ReplaceFileContents(path, [](HANDLE) { return true; });
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}
