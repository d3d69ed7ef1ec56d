// tavrik.exe with a command: passed to the copy running, or carried out by a hidden start of its
// own; the installer's commands; a command line that cannot be read.
#include <gtest/gtest.h>

#include "ini_builder.h"
#include "tavrik_process.h"
#include "test_folder.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace tavrik::e2e {
namespace {

// Two pages with text in their files; English; changes written a second after the last one.
void PreparePages(const ProgramFolder& folder) {
    WriteBytes(folder.Ini(),
               test::IniBuilder().Parameter("Language", 0).Parameter("AutoSave", 1).Page("Notes").Page("Tasks").Text());
    WriteBytes(folder.PageFile(L"Notes"), RtfPage("first line"));
    WriteBytes(folder.PageFile(L"Tasks"), RtfPage("to do"));
}

bool FileHolds(const std::wstring& path, std::string_view text) {
    const auto bytes = ReadBytes(path);
    return bytes && bytes->find(text) != std::string::npos;
}

struct CommandCase {
    const char* name;
    const wchar_t* arguments;
    bool showFirst = false;  // the running copy is brought up before the command comes
    bool leaves = false;     // without a copy running, the start does it and ends, with no window
    // `app`: the copy that carried the command out; null when the start left by itself.
    std::function<void(const ProgramFolder&, TavrikProcess* app)> check;
};

const CommandCase kCases[] = {
    {"Show", L"/show", false, false, [](const ProgramFolder&, TavrikProcess* app) { EXPECT_TRUE(app->WaitUntilShown()); }},
    {"Toggle", L"-TOGGLE", false, false,
     [](const ProgramFolder&, TavrikProcess* app) { EXPECT_TRUE(app->WaitUntilShown()); }},
    {"Hide", L"/hide", true, false, [](const ProgramFolder&, TavrikProcess* app) { EXPECT_TRUE(app->WaitUntilHidden()); }},
    {"NewNamedPage", L"/new \"Shopping list\"", false, false,
     [](const ProgramFolder& folder, TavrikProcess* app) {
         EXPECT_TRUE(WaitFor([&] { return FileExists(folder.PageFile(L"Shopping list")); }));
         EXPECT_TRUE(app->WaitUntilShown());
         EXPECT_EQ(app->TabCaptions(), (std::vector<std::wstring>{L"Notes", L"Tasks", L"Shopping list"}));
         EXPECT_EQ(app->CurrentTab(), 2);
     }},
    {"PageMadeCurrent", L"/page Tasks", false, false,
     [](const ProgramFolder&, TavrikProcess* app) {
         EXPECT_TRUE(app->WaitUntilShown());
         EXPECT_EQ(app->CurrentTab(), 1);
         EXPECT_EQ(app->ShownEditorText(), L"to do");
     }},
    {"AppendToTheCurrentPage", L"/append Buy  milk", false, false,
     [](const ProgramFolder& folder, TavrikProcess* app) {
         ASSERT_TRUE(WaitFor([&] { return FileHolds(folder.PageFile(L"Notes"), "Buy milk"); }));
         const std::string page = *ReadBytes(folder.PageFile(L"Notes"));
         EXPECT_LT(page.find("first line"), page.find("Buy milk")) << page;
         EXPECT_FALSE(FileHolds(folder.PageFile(L"Tasks"), "Buy milk"));
         EXPECT_FALSE(IsWindowVisible(app->Window())) << "catching a line does not show the window";
     }},
    {"AppendToANamedPage", L"/page tasks /append \"call Anna\" at 5", false, false,
     [](const ProgramFolder& folder, TavrikProcess* app) {
         ASSERT_TRUE(WaitFor([&] { return FileHolds(folder.PageFile(L"Tasks"), "call Anna at 5"); }));
         EXPECT_FALSE(FileHolds(folder.PageFile(L"Notes"), "call Anna"));
         EXPECT_FALSE(IsWindowVisible(app->Window()));
         EXPECT_EQ(app->CurrentTab(), 0) << "the page appended to is not made current";
     }},
    {"AutoStartOn", L"/autostart on", false, true,
     [](const ProgramFolder& folder, TavrikProcess*) {
         EXPECT_TRUE(WaitFor([&] {
             const auto ini = ReadIni(folder.Ini());
             return ini && ini->Value(L"Parameters", L"AutoStart") == L"1";
         }));
         EXPECT_TRUE(WaitFor([&] { return ReadRegistryString(folder.RunKey(), L"Tavrik") == folder.Exe(); }));
         EXPECT_TRUE(ReadIni(folder.Ini())->Value(L"Pages", L"Tasks")) << "the rest of tavrik.ini stays";
     }},
    {"PageFolderForTheUninstaller", L"/pagefolder \"page folder.txt\"", false, true,
     [](const ProgramFolder& folder, TavrikProcess*) {
         // UTF-16LE with its byte order mark, the folder with its backslash, no line break.
         const std::wstring expected = L"\xFEFF" + folder.App();
         EXPECT_EQ(ReadBytes(folder.WorkFolder() + L"page folder.txt"),
                   std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * sizeof(wchar_t)));
     }},
};

class CommandLine : public ::testing::TestWithParam<std::tuple<CommandCase, bool>> {};

TEST_P(CommandLine, Case) {
    const auto& [c, copyRunning] = GetParam();
    ProgramFolder folder;
    PreparePages(folder);
    std::optional<TavrikProcess> app;
    if (copyRunning) {
        app.emplace(folder);
        ASSERT_TRUE(app->Start());
        if (c.showFirst) {
            ASSERT_TRUE(app->Show());
        }
        TavrikProcess second(folder);
        second.SetArguments(c.arguments);
        EXPECT_EQ(second.RunToExit(), 0u);
        EXPECT_FALSE(second.ShowedWindow());
        EXPECT_EQ(FindWindowW(L"TTavrikForm", nullptr), app->Window());
    } else if (c.leaves) {
        TavrikProcess alone(folder);
        alone.SetArguments(c.arguments);
        EXPECT_EQ(alone.RunToExit(), 0u);
        EXPECT_FALSE(alone.ShowedWindow());
    } else {
        app.emplace(folder);
        app->SetArguments(c.arguments);
        ASSERT_TRUE(app->Start());
    }
    c.check(folder, app ? &*app : nullptr);
    if (app) {
        app->FailOnMessageBoxes("after the command");
        EXPECT_TRUE(app->Close());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CommandLine, ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<CommandCase, bool>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_CopyRunning" : "_NoCopy");
                         });

// What cannot be read is named with every form, and nothing starts; a page the running copy does
// not have is said by that copy.
TEST(CommandLineRefused, WrongArgumentsAreNamedWithTheRightForms) {
    ProgramFolder folder;
    PreparePages(folder);
    {
        TavrikProcess wrong(folder);
        wrong.SetArguments(L"/shwo");
        const auto said = wrong.RunToMessageAndExit();
        ASSERT_TRUE(said);
        EXPECT_EQ(said->first.caption, L"Tavrik command line");
        for (const wchar_t* part : {L"/shwo", L"/show", L"/toggle", L"/append", L"/autostart", L"/pagefolder"})
            EXPECT_NE(said->first.text.find(part), std::wstring::npos) << Utf8(part) << " in " << Utf8(said->first.text);
        EXPECT_EQ(said->second, 2u);
        EXPECT_FALSE(FindWindowW(L"TTavrikForm", nullptr)) << "a command line that cannot be read starts nothing";
    }
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    {
        TavrikProcess missing(folder);
        missing.SetArguments(L"/page");
        const auto said = missing.RunToMessageAndExit();
        ASSERT_TRUE(said);
        EXPECT_NE(said->first.text.find(L"/page needs a value"), std::wstring::npos) << Utf8(said->first.text);
    }
    TavrikProcess unknown(folder);
    unknown.SetArguments(L"/page Holidays");
    EXPECT_EQ(unknown.RunToExit(), 0u);
    const auto told = app.AnswerMessage(IDOK, 10000);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, L"There is no page \"Holidays\".");
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    EXPECT_TRUE(app.Close());
}

// The installer may ask before Tavrik ever ran: then it is the first start that carries the
// setting out, choosing the language and telling of the tray icon as a first start does.
TEST(CommandLineFirstStart, AutoStartOnStartsTavrikForTheFirstTime) {
    ProgramFolder folder;
    TavrikProcess app(folder);
    app.SetVariable(L"TAVRIK_UI_LANGUAGE", L"0409");
    app.SetArguments(L"/autostart on");
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(WaitFor([&] { return ReadRegistryString(folder.RunKey(), L"Tavrik") == folder.Exe(); }));
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Value(L"Parameters", L"AutoStart"), L"1");
    EXPECT_EQ(ini->Value(L"Parameters", L"Language"), L"0") << "chosen as Windows speaks, as at a first start";
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace tavrik::e2e
