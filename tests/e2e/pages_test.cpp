// tavrik.exe building its pages: tab order, the start page, page files old and new, damaged lists.
#include <gtest/gtest.h>

#include "tavrik_process.h"
#include "test_folder.h"

namespace tavrik::e2e {
namespace {

using Names = std::vector<std::wstring>;

// "Съешь же ещё этих мягких французских булок, да выпей чаю." as an old Russian Windows saved
// it: Windows-1251 bytes in \' escapes under a Cyrillic font.
constexpr char kCyrillicRtf[] =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs20 "
    "\\'d1\\'fa\\'e5\\'f8\\'fc \\'e6\\'e5 \\'e5\\'f9\\'b8 \\'fd\\'f2\\'e8\\'f5 \\'ec\\'ff\\'e3\\'ea\\'e8\\'f5 "
    "\\'f4\\'f0\\'e0\\'ed\\'f6\\'f3\\'e7\\'f1\\'ea\\'e8\\'f5 \\'e1\\'f3\\'eb\\'ee\\'ea, "
    "\\'e4\\'e0 \\'e2\\'fb\\'ef\\'e5\\'e9 \\'f7\\'e0\\'fe.\\par\r\n}\r\n";
const std::wstring kCyrillicText = L"Съешь же ещё этих мягких французских булок, да выпей чаю.";

void WriteThreePages(const ProgramFolder& folder, int startPage) {
    WriteBytes(folder.Ini(), "[Parameters]\r\nStartPage=" + std::to_string(startPage) +
                                 "\r\n[Pages]\r\n"
                                 "C=16777215*Arial*0*10*0*0*1*\r\n"
                                 "A=16777215*Arial*0*10*0*0*1*\r\n"
                                 "B=16777215*Arial*0*10*0*0*1*\r\n");
    WriteBytes(folder.PageFile(L"C"), RtfPage("Page C"));
    WriteBytes(folder.PageFile(L"A"), RtfPage("Page A"));
    WriteBytes(folder.PageFile(L"B"), RtfPage("Page B"));
}

TEST(PageList, TabsFollowTheListOrderAndStartPageChoosesTheShownPage) {
    ProgramFolder folder;
    WriteThreePages(folder, 2);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.TabCaptions(), (Names{L"C", L"A", L"B"}));
    EXPECT_EQ(app.CurrentTab(), 2);
    EXPECT_EQ(app.ShownEditorText(), L"Page B");
    EXPECT_TRUE(app.Close());
}

TEST(PageList, StartPageBeyondTheLastPageShowsTheFirst) {
    ProgramFolder folder;
    WriteThreePages(folder, 5);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.CurrentTab(), 0);
    EXPECT_EQ(app.ShownEditorText(), L"Page C");
    EXPECT_TRUE(app.Close());
}

TEST(PageList, CyrillicPageSurvivesARestart) {
    ProgramFolder folder;
    WriteUtf16WithBom(folder.Ini(),
                      L"[Parameters]\r\nStartPage=0\r\n[Pages]\r\n"
                      L"Заметки=16777215*Arial*0*10*0*0*1*\r\n"
                      L"Покупки=16777215*Arial*0*10*0*0*1*\r\n");
    WriteBytes(folder.PageFile(L"Заметки"), kCyrillicRtf);
    {
        TavrikProcess app(folder);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.TabCaptions(), (Names{L"Заметки", L"Покупки"}));
        EXPECT_EQ(app.ShownEditorText(), kCyrillicText);
        ASSERT_TRUE(app.Close());
    }
    const auto written = ReadBytes(folder.PageFile(L"Заметки"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->rfind("{\\rtf", 0), 0u) << "the page is written back as rich text";
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_TRUE(ini->unicode);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Заметки", L"Покупки"}));

    // What the program wrote, it reads back the same.
    TavrikProcess again(folder);
    ASSERT_TRUE(again.Start());
    EXPECT_EQ(again.TabCaptions(), (Names{L"Заметки", L"Покупки"}));
    EXPECT_EQ(again.ShownEditorText(), kCyrillicText);
    EXPECT_TRUE(again.Close());
}

TEST(PageFiles, FileWithoutExtensionIsRenamedAndLoaded) {
    ProgramFolder folder;
    WriteBytes(folder.Ini(), "[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    const std::string old = RtfPage("Notes of an old version");
    WriteBytes(folder.App() + L"Notes", old);
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.ShownEditorText(), L"Notes of an old version");
    EXPECT_FALSE(FileExists(folder.App() + L"Notes"));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Notes")), old) << "renamed, not rewritten";
    EXPECT_TRUE(app.Close());
}

TEST(PageFiles, FileWithoutExtensionStaysBesideTheTvkFile) {
    ProgramFolder folder;
    WriteBytes(folder.Ini(), "[Pages]\r\nNotes=16777215*Arial*0*10*0*0*1*\r\n");
    const std::string old = RtfPage("Notes of an old version");
    WriteBytes(folder.App() + L"Notes", old);
    WriteBytes(folder.PageFile(L"Notes"), RtfPage("Current notes"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.ShownEditorText(), L"Current notes");
    EXPECT_TRUE(app.Close());
    EXPECT_EQ(ReadBytes(folder.App() + L"Notes"), old);
}

TEST(DamagedSettings, EntriesCutShortOrNotNumbersDoNotStopStartUp) {
    ProgramFolder folder;
    WriteBytes(folder.Ini(),
               "[Parameters]\r\nStartPage=1\r\n[Pages]\r\n"
               "Short=255*\r\n"
               "Junk=abc*Arial*red*big*bold*x*y*\r\n"
               "Empty=\r\n"
               "Cut=16777215*Ari\r\n");
    WriteBytes(folder.PageFile(L"Junk"), RtfPage("Junk page"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.TabCaptions(), (Names{L"Short", L"Junk", L"Empty", L"Cut"}));
    EXPECT_EQ(app.CurrentTab(), 1);
    EXPECT_EQ(app.ShownEditorText(), L"Junk page");
    ASSERT_TRUE(app.Close());

    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), (Names{L"Short", L"Junk", L"Empty", L"Cut"}));
    // The colour as given; the font from the defaults; caret 0 and word wrap off.
    EXPECT_EQ(ini->Value(L"Pages", L"Short"), L"255*MS Sans Serif*0*10*0*0*0*");
}

TEST(DamagedSettings, UnsafePageNamesAreLeftOut) {
    ProgramFolder folder;
    WriteBytes(folder.Ini(),
               "[Pages]\r\n"
               "..\\Escape=16777215*Arial*0*10*0*0*1*\r\n"
               "Sub\\Page=16777215*Arial*0*10*0*0*1*\r\n"
               "CON=16777215*Arial*0*10*0*0*1*\r\n"
               "..=16777215*Arial*0*10*0*0*1*\r\n"
               "Good=16777215*Arial*0*10*0*0*1*\r\n");
    // With the folder there, a name with a backslash would quietly write into it.
    ASSERT_TRUE(CreateDirectoryW((folder.App() + L"Sub").c_str(), nullptr));
    WriteBytes(folder.PageFile(L"Good"), RtfPage("Good page"));
    TavrikProcess app(folder);
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.TabCaptions(), Names{L"Good"});
    EXPECT_EQ(app.ShownEditorText(), L"Good page");
    ASSERT_TRUE(app.Close());

    EXPECT_EQ(FolderEntries(folder.Root()), (Names{L"app", L"cwd"}));
    EXPECT_EQ(FolderEntries(folder.App()), (Names{L"Good.tvk", L"Sub", L"tavrik.exe", L"tavrik.ini"}));
    EXPECT_EQ(FolderEntries(folder.App() + L"Sub\\"), Names{});
    EXPECT_EQ(FolderEntries(folder.WorkFolder()), Names{});
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Keys(L"Pages"), Names{L"Good"});
}

}  // namespace
}  // namespace tavrik::e2e
