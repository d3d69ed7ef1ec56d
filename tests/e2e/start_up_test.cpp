// tavrik.exe at start: the hidden window, the first settings file, the Run value, one copy only.
#include <gtest/gtest.h>

#include "tavrik_process.h"
#include "test_folder.h"

#include <commctrl.h>

namespace tavrik::e2e {
namespace {

constexpr wchar_t kRunValue[] = L"Tavrik";
constexpr wchar_t kDefaultEntry[] = L"16777215*MS Sans Serif*0*10*0*0*1*";

RECT WindowRect(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

TEST(FirstStart, EmptyFolderGivesOneHiddenDefaultPage) {
    ProgramFolder folder;
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());

    EXPECT_EQ(FindWindowW(L"TTavrikForm", nullptr), app.Window());
    wchar_t caption[64] = {};
    GetWindowTextW(app.Window(), caption, 64);
    EXPECT_STREQ(caption, L"Таврик");
    EXPECT_FALSE(IsWindowVisible(app.Window()));

    // Written before the pages are built, so it is there as soon as the program is.
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini) << "no tavrik.ini after the first start";
    const std::vector<std::pair<std::wstring, std::wstring>> expected{{L"Tavrikdesk", kDefaultEntry}};
    EXPECT_EQ(ini->Section(L"Pages"), expected);
    EXPECT_TRUE(ini->unicode) << "a settings file the program makes must hold any page name";
    EXPECT_EQ(app.TabCaptions(), std::vector<std::wstring>{L"Tavrikdesk"});
    EXPECT_FALSE(ReadRegistryString(folder.RunKey(), kRunValue)) << "AutoStart is off unless set";
    // An empty page has nothing to save yet.
    EXPECT_EQ(FolderEntries(folder.App()), (std::vector<std::wstring>{L"tavrik.exe", L"tavrik.ini"}));
    EXPECT_EQ(FolderEntries(folder.WorkFolder()), std::vector<std::wstring>{});

    // Nothing shows it later either: no timer, no posted message.
    Sleep(500);
    EXPECT_TRUE(app.Responds());
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    EXPECT_EQ(app.ShownEditorText(), L"");
    EXPECT_TRUE(app.Close());
}

TEST(AutoStart, RunValueFollowsTheProgramToAnotherFolder) {
    ProgramFolder first;
    ProgramFolder second;
    const std::string ini = "[Parameters]\r\nAutoStart=1\r\n";
    WriteBytes(first.Ini(), ini);
    WriteBytes(second.Ini(), ini);
    WriteRegistryString(first.RunKey(), L"Other", L"C:\\Other\\other.exe");

    {
        TavrikProcess app(first);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(ReadRegistryString(first.RunKey(), kRunValue), first.Exe());
        EXPECT_TRUE(app.Close());
    }
    {
        TavrikProcess moved(second, first.RunKey());
        ASSERT_TRUE(moved.Start());
        EXPECT_EQ(ReadRegistryString(first.RunKey(), kRunValue), second.Exe());
        EXPECT_TRUE(moved.Close());
    }
    EXPECT_EQ(ReadRegistryString(first.RunKey(), L"Other"), L"C:\\Other\\other.exe") << "other programs' values stay";
}

TEST(AutoStart, OffDeletesTheValueOfAnEarlierRun) {
    ProgramFolder folder;
    WriteBytes(folder.Ini(), "[Parameters]\r\nAutoStart=0\r\n");
    WriteRegistryString(folder.RunKey(), kRunValue, L"C:\\Old place\\tavrik.exe");
    WriteRegistryString(folder.RunKey(), L"Other", L"C:\\Other\\other.exe");

    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_FALSE(ReadRegistryString(folder.RunKey(), kRunValue));
    EXPECT_EQ(ReadRegistryString(folder.RunKey(), L"Other"), L"C:\\Other\\other.exe");
    EXPECT_TRUE(app.Close());
}

TEST(SecondStart, LeavesAtOnceTouchingNothing) {
    ProgramFolder folder;
    WriteBytes(folder.Ini(), "[Parameters]\r\nAutoStart=1\r\n[Pages]\r\nOne=16777215*Arial*0*10*0*0*1*\r\n");
    TavrikProcess first(folder);
    ASSERT_TRUE(first.Start());
    // With the value gone, a second copy that ran its start-up would write it back.
    ASSERT_EQ(RegDeleteKeyValueW(HKEY_CURRENT_USER, folder.RunKey().c_str(), kRunValue), ERROR_SUCCESS);
    const auto iniBefore = ReadBytes(folder.Ini());
    const auto iniTimeBefore = LastWriteTime(folder.Ini());
    // The parts nobody sees are built when the first copy is first idle, and may grow its window
    // to make room for the page: the place to keep is the one after that.
    ASSERT_TRUE(WaitFor([&] {
        const HWND tabs = first.TabControl();
        return tabs && SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0) > 0;
    }));
    const RECT rectBefore = WindowRect(first.Window());

    TavrikProcess second(folder);
    EXPECT_EQ(second.RunToExit(), 0u);
    EXPECT_FALSE(second.ShowedWindow());

    EXPECT_EQ(ReadBytes(folder.Ini()), iniBefore);
    EXPECT_TRUE(SameTime(LastWriteTime(folder.Ini()), iniTimeBefore));
    EXPECT_FALSE(ReadRegistryString(folder.RunKey(), kRunValue));
    EXPECT_EQ(FolderEntries(folder.App()), (std::vector<std::wstring>{L"tavrik.exe", L"tavrik.ini"}));

    ASSERT_TRUE(first.IsRunning());
    EXPECT_EQ(FindWindowW(L"TTavrikForm", nullptr), first.Window());
    EXPECT_FALSE(IsWindowVisible(first.Window()));
    const RECT rectAfter = WindowRect(first.Window());
    EXPECT_TRUE(EqualRect(&rectBefore, &rectAfter));
    EXPECT_EQ(first.TabCaptions(), std::vector<std::wstring>{L"One"});
    EXPECT_TRUE(first.Close());
}

// A sync client holding tavrik.ini at log-on: the user's settings are neither replaced by the
// defaults nor lost, and a restart takes them up once the file can be read.
TEST(HeldSettingsFile, RunsWithoutItThenRestartsIntoIt) {
    ProgramFolder folder;
    const std::string ini = "[Parameters]\r\nLanguage=0\r\nAutoStart=1\r\n[Pages]\r\n"
                            "Work=16777215*Arial*0*10*0*0*1*\r\nHome=16777215*Arial*0*10*0*0*1*\r\n";
    WriteBytes(folder.Ini(), ini);
    WriteRegistryString(folder.RunKey(), kRunValue, L"C:\\Elsewhere\\tavrik.exe");
    HANDLE lock = CreateFileW(folder.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    TavrikProcess app(folder);
    const auto told = app.StartExpectingMessage();  // after 5 s of trying
    CloseHandle(lock);
    ASSERT_TRUE(told);
    EXPECT_NE(told->text.find(folder.Ini()), std::wstring::npos) << Utf8(told->text);
    EXPECT_EQ(app.TabCaptions(), std::vector<std::wstring>{L"Tavrikdesk"});
    EXPECT_EQ(ReadRegistryString(folder.RunKey(), kRunValue), L"C:\\Elsewhere\\tavrik.exe");

    const auto question = app.AnswerMessage(IDYES, 15000);  // looked for every 5 s
    ASSERT_TRUE(question);
    EXPECT_NE(question->text.find(L"Restart Tavrik now"), std::wstring::npos) << Utf8(question->text);
    ASSERT_TRUE(app.FollowRestart()) << "the new copy was refused as a second one";
    EXPECT_EQ(app.TabCaptions(), (std::vector<std::wstring>{L"Work", L"Home"}));
    EXPECT_EQ(ReadBytes(folder.Ini()), ini) << "the copy that could not read the file wrote to it";
    EXPECT_EQ(ReadRegistryString(folder.RunKey(), kRunValue), folder.Exe()) << "AutoStart=1, read at last";
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace tavrik::e2e
