// tavrik.exe at start: the hidden window, the first settings file, the Run value, one copy only.
#include <gtest/gtest.h>

#include "tavrik_process.h"
#include "test_folder.h"
#include "ini_builder.h"
#include "scratch_files.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// What lies in the program's folder and its Run key before tavrik.exe starts there, then what the
// case does with the program and checks.
struct StartUpCase {
    const char* name;  // of the test the case was
    std::optional<test::IniBuilder> ini;  // none: a first start in an empty folder
    std::vector<std::pair<const wchar_t*, const wchar_t*>> runValues;
    std::function<void(const ProgramFolder&, const std::string& ini)> run;
};

const StartUpCase kCases[] = {
    {"FirstStart_EmptyFolderGivesOneHiddenDefaultPage", std::nullopt, {},
     [](const ProgramFolder& folder, const std::string&) {
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
     }},
    {"AutoStart_RunValueFollowsTheProgramToAnotherFolder", test::IniBuilder().Parameter("AutoStart", 1),
     {{L"Other", L"C:\\Other\\other.exe"}},
     [](const ProgramFolder& first, const std::string& ini) {
         ProgramFolder second;
         WriteBytes(second.Ini(), ini);
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
         EXPECT_EQ(ReadRegistryString(first.RunKey(), L"Other"), L"C:\\Other\\other.exe")
             << "other programs' values stay";
     }},
    {"AutoStart_OffDeletesTheValueOfAnEarlierRun", test::IniBuilder().Parameter("AutoStart", 0),
     {{kRunValue, L"C:\\Old place\\tavrik.exe"}, {L"Other", L"C:\\Other\\other.exe"}},
     [](const ProgramFolder& folder, const std::string&) {
         TavrikProcess app(folder);
         ASSERT_TRUE(app.Start());
         EXPECT_FALSE(ReadRegistryString(folder.RunKey(), kRunValue));
         EXPECT_EQ(ReadRegistryString(folder.RunKey(), L"Other"), L"C:\\Other\\other.exe");
         EXPECT_TRUE(app.Close());
     }},
    {"SecondStart_LeavesAtOnceTouchingNothing", test::IniBuilder().Parameter("AutoStart", 1).Page("One"), {},
     [](const ProgramFolder& folder, const std::string&) {
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
     }},
    // A sync client holding tavrik.ini at log-on: the user's settings are neither replaced by the
    // defaults nor lost, and a restart takes them up once the file can be read.
    {"HeldSettingsFile_RunsWithoutItThenRestartsIntoIt",
     test::IniBuilder().Parameter("Language", 0).Parameter("AutoStart", 1).Page("Work").Page("Home"),
     {{kRunValue, L"C:\\Elsewhere\\tavrik.exe"}},
     [](const ProgramFolder& folder, const std::string& ini) {
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
     }},
};

class StartUp : public ::testing::TestWithParam<StartUpCase> {};

TEST_P(StartUp, Case) {
    const StartUpCase& c = GetParam();
    ProgramFolder folder;
    const std::string ini = c.ini ? c.ini->Text() : std::string();
    if (c.ini) WriteBytes(folder.Ini(), ini);
    for (const auto& [name, value] : c.runValues) WriteRegistryString(folder.RunKey(), name, value);
    c.run(folder, ini);
}

INSTANTIATE_TEST_SUITE_P(Table, StartUp, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<StartUpCase>& info) {
                             return std::string(info.param.name);
                         });

// Wine maps an image's sections from its file only where they start on a page boundary there;
// otherwise it reads the whole program into private memory, 2 MB more at rest for every start.
TEST(ProgramFile, SectionsStartOnWholePagesOfTheFile) {
    for (const wchar_t* name : {L"tavrik.exe", L"release\\tavrik.exe"}) {
        const std::wstring path = test::ModuleFolder() + name;
        if (!test::PathExists(path)) continue;  // the release copy is built only with the installer
        const std::string image = test::ReadFileBytes(path).value_or("");
        ASSERT_GE(image.size(), sizeof(IMAGE_DOS_HEADER)) << Utf8(path);
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
        ASSERT_LE(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size()) << Utf8(path);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
        ASSERT_EQ(nt->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE)) << Utf8(path);
        EXPECT_EQ(nt->OptionalHeader.FileAlignment % 4096, 0u) << Utf8(path);
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
            EXPECT_EQ(section->PointerToRawData % 4096, 0u) << Utf8(path) << " section " << i;
    }
}

}  // namespace
}  // namespace tavrik::e2e
