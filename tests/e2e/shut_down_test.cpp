// tavrik.exe closing: what WM_CLOSE writes, what it leaves alone, and a save that fails.
#include <gtest/gtest.h>

#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

using Names = std::vector<std::wstring>;

bool IsRtf(const std::optional<std::string>& bytes) { return bytes && bytes->rfind("{\\rtf", 0) == 0; }

TEST(ShutDown, WritesPageListStartPageAndOnlyLoadedPages) {
    ProgramFolder folder;
    // Edited by hand, in ANSI; the names are out of alphabetical order on purpose.
    WriteBytes(folder.Ini(),
               "[Parameters]\r\nLanguage=0\r\nStartPage=1\r\n"
               "MainLeft=-5000\r\nMainTop=40\r\nMainWidth=500\r\nMainHeight=300\r\n"
               "[Pages]\r\n"
               "Zeta=16777215*Arial*0*12*1*0*1*\r\n"
               "Alpha=65535*Courier New*255*9*2*3*0*\r\n"
               "Mu=16777215*Arial*0*10*0*0*1*\r\n");
    const std::string zeta = "{\\rtf1 Zeta as an old version wrote it}";
    const std::string mu = RtfPage("Mu");
    WriteBytes(folder.PageFile(L"Zeta"), zeta);
    WriteBytes(folder.PageFile(L"Alpha"), "Alpha page, plain text\r\n");  // rich text only after a save
    WriteBytes(folder.PageFile(L"Mu"), mu);
    const auto zetaTime = LastWriteTime(folder.PageFile(L"Zeta"));
    const auto muTime = LastWriteTime(folder.PageFile(L"Mu"));

    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.ShownEditorText(), L"Alpha page, plain text");
    ASSERT_TRUE(app.Close());

    // Only a changed page is written: the page shown but not changed keeps its plain file.
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Alpha")), "Alpha page, plain text\r\n");
    // Pages never shown were never read: their files are exactly as they were.
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Zeta")), zeta);
    EXPECT_TRUE(SameTime(LastWriteTime(folder.PageFile(L"Zeta")), zetaTime));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Mu")), mu);
    EXPECT_TRUE(SameTime(LastWriteTime(folder.PageFile(L"Mu")), muTime));
    EXPECT_EQ(FolderEntries(folder.App()), (Names{L"Alpha.tvk", L"Mu.tvk", L"Zeta.tvk", L"tavrik.exe", L"tavrik.ini"}))
        << "no temporary file is left behind, and no version of a page nobody changed";

    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_FALSE(ini->unicode) << "a settings file in ANSI stays ANSI";
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Zeta", L"Alpha", L"Mu"}));
    EXPECT_EQ(ini->Value(L"Pages", L"Zeta"), L"16777215*Arial*0*12*1*0*1*");
    // Caret and word wrap come from the editor that was shown, and are as they were read.
    EXPECT_EQ(ini->Value(L"Pages", L"Alpha"), L"65535*Courier New*255*9*2*3*0*");
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"1");
    EXPECT_EQ(ini->Value(L"Parameters", L"Language"), L"0");
    // The place as read, off the screen or not.
    EXPECT_EQ(ini->Value(L"Parameters", L"MainLeft"), L"-5000");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainTop"), L"40");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainWidth"), L"500");
    EXPECT_EQ(ini->Value(L"Parameters", L"MainHeight"), L"300");
}

TEST(ShutDown, SaveFolderDeletedWhileRunningIsReportedAndTheProgramRunsOn) {
    ProgramFolder folder;
    const std::wstring missing = folder.App() + L"missing";  // no backslash at the end, as users type it
    ASSERT_TRUE(CreateDirectoryW(missing.c_str(), nullptr));
    WriteUtf16WithBom(folder.Ini(), L"[Parameters]\r\nSaveTo=" + missing + L"\r\n");
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.TabCaptions(), Names{L"Tavrikdesk"});
    EXPECT_EQ(app.ShownEditorText(), L"");  // read: a new, empty page
    ASSERT_TRUE(RemoveDirectoryW(missing.c_str()));

    const auto box = app.CloseExpectingMessage();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"Таврик");
    const std::wstring expected = L"Не удаётся создать файл \"" + missing + L"\\Tavrikdesk.tvk\". ";
    EXPECT_EQ(box->text.substr(0, expected.size()), expected);
    EXPECT_GT(box->text.size(), expected.size()) << "the system's reason follows";
    EXPECT_TRUE(box->text.ends_with(L"\r\nФайл на диске остался прежним.")) << Utf8(box->text);
    EXPECT_TRUE(app.Responds());
    ASSERT_TRUE(app.IsRunning()) << "a failed save keeps the program up";
    EXPECT_EQ(FindWindowW(L"TTavrikForm", nullptr), app.Window());

    ASSERT_TRUE(CreateDirectoryW(missing.c_str(), nullptr));
    ASSERT_TRUE(app.Close());
    EXPECT_TRUE(IsRtf(ReadBytes(missing + L"\\Tavrikdesk.tvk")));
    EXPECT_EQ(FolderEntries(missing + L"\\"), Names{L"Tavrikdesk.tvk"});
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), Names{L"Tavrikdesk"});
    EXPECT_EQ(ini->Value(L"Parameters", L"StartPage"), L"0");
}

// The pages' folder on a stick pulled after start-up: the page is no empty page that a close
// writes over the real one, and the close does not fail on it either.
TEST(ShutDown, PagesFolderAwayAtFirstShowLeavesThePageFileAlone) {
    ProgramFolder folder;
    const std::wstring stick = folder.App() + L"stick";
    const std::wstring away = folder.App() + L"away";
    ASSERT_TRUE(CreateDirectoryW(stick.c_str(), nullptr));
    const std::string notes = RtfPage("Notes nobody may lose");
    WriteBytes(stick + L"\\Notes.tvk", notes);
    WriteUtf16WithBom(folder.Ini(), L"[Parameters]\r\nSaveTo=" + stick +
                                        L"\r\n[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(MoveFileW(stick.c_str(), away.c_str()));
    PostMessageW(app.Window(), WM_HOTKEY, 1, 0);  // the window comes up first, and the box over it
    const HWND box = app.WaitForDialog(L"Таврик");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindowVisible(app.Window()));
    EXPECT_EQ(GetWindow(box, GW_OWNER), app.Window());
    EXPECT_EQ(DialogMessage(box).rfind(L"Не удаётся открыть файл \"" + stick + L"\\Notes.tvk\". ", 0), 0u)
        << Utf8(DialogMessage(box));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !app.ShowsPopup(); }));
    ASSERT_TRUE(app.WaitUntilShown());
    EXPECT_NE(app.ShownEditorText().find(L"Notes.tvk"), std::wstring::npos) << "the reason stays in view";

    ASSERT_TRUE(MoveFileW(away.c_str(), stick.c_str()));
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(ReadBytes(stick + L"\\Notes.tvk"), notes);
}

}  // namespace
}  // namespace tavrik::e2e
