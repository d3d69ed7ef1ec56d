// The end of a session with the page folder away, Exit that fails, and files another program
// holds for a moment during a save.
#include <gtest/gtest.h>

#include <thread>

#include "editor/page_editor.h"
#include "test_folder.h"

using namespace tavrik;
using test::Exists;
using test::ReadBytes;

namespace {

// Two pages in a folder of their own, which the tests take away (a stick pulled, a share gone).
class SessionEnd : public test::FormTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(pages.c_str(), nullptr));
        test::WriteBytes(pages + L"\\Notes.tvk", "{\\rtf1\\ansi Milk\\par}");
        test::WriteBytes(pages + L"\\Plans.tvk", "{\\rtf1\\ansi Trip\\par}");
        Ini("");
    }
    void Ini(std::string_view parameters) {
        f.WriteIni(test::IniBuilder().Parameter("SaveTo", pages).Parameters(parameters).Page("Notes").Page("Plans"));
    }
    void Start() { ASSERT_TRUE(f.Start()); }
    void FolderAway() { ASSERT_TRUE(MoveFileW(pages.c_str(), away.c_str())); }
    void FolderBack() { ASSERT_TRUE(MoveFileW(away.c_str(), pages.c_str())); }
    std::wstring Rescued(const wchar_t* file) const { return f.UserFolder() + L"Rescue\\" + file; }

    const std::wstring pages = f.folder.Path() + L"pages";
    const std::wstring away = f.folder.Path() + L"pages away";
};

}  // namespace

TEST_F(SessionEnd, PagesThatCannotBeSavedAreRescuedWithoutABoxAndOfferedAtTheNextStart) {
    Start();
    Type(0, L"Call the bank ");
    FolderAway();
    EXPECT_EQ(SendMessageW(Form().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE) << "nothing is lost: the end may go on";
    EXPECT_TRUE(log.texts.empty()) << "no box while Windows ends the session";
    SendMessageW(Form().Handle(), WM_ENDSESSION, TRUE, 0);  // the last try finds the folder still away
    EXPECT_EQ(Form().Handle(), nullptr);
    EXPECT_TRUE(log.texts.empty());
    EXPECT_FALSE(Exists(Rescued(L"Plans.tvk"))) << "an unchanged page is in its file already";
    ASSERT_TRUE(Exists(Rescued(L"Notes.tvk")));

    FolderBack();
    log.answer = IDYES;
    Start();
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Notes"), std::wstring::npos) << "the offer names the page";
    ASSERT_EQ(Form().PageCount(), 3);
    const std::wstring name = Form().PageName(2);
    EXPECT_NE(name, L"Notes") << "a name no page has";
    EXPECT_EQ(editor::GetText(Form().Editor(2)).find(L"Call the bank Milk"), 0u);
    EXPECT_EQ(editor::GetText(Form().Editor(0)).find(L"Milk"), 0u) << "the page's own file is as it was";
    EXPECT_TRUE(Exists(pages + L"\\" + name + L".tvk"));
    EXPECT_FALSE(Exists(Rescued(L"Notes.tvk"))) << "offered once";
}

TEST_F(SessionEnd, TheLastTryWritesThePageFileWhenTheFolderIsBack) {
    Start();
    Type(1, L"Book the train ");
    FolderAway();
    EXPECT_EQ(SendMessageW(Form().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(Exists(Rescued(L"Plans.tvk")));
    FolderBack();
    SendMessageW(Form().Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_NE(ReadBytes(pages + L"\\Plans.tvk").find("Book the train"), std::string::npos);
    EXPECT_FALSE(Exists(Rescued(L"Plans.tvk"))) << "nothing to offer: the page reached its file";
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(SessionEnd, DeclinedRescuedPagesAreDeleted) {
    ASSERT_TRUE(CreateDirectoryW(f.UserFolder().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((f.UserFolder() + L"Rescue").c_str(), nullptr));
    test::WriteBytes(Rescued(L"Plans (2).tvk"), "{\\rtf1\\ansi Trip to Kazan\\par}");
    log.answer = IDNO;
    Start();
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Plans (2)"), std::wstring::npos);
    EXPECT_EQ(Form().PageCount(), 2);
    EXPECT_FALSE(Exists(Rescued(L"Plans (2).tvk")));
}

// With the pages saved, the window's place is no reason to stay; an Exit that failed is no
// reason for the next close to end the program.
TEST_F(SessionEnd, UnwritablePlaceDoesNotKeepExitFromEnding) {
    Start();
    ASSERT_TRUE(Form().WritePageList());  // the list on disk is as the pages are now
    SetWindowPos(Form().Handle(), nullptr, 123, 45, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    // Read by everyone, replaced by nobody: an editor or a backup program has it open.
    test::FileHolder holder(f.Ini(), true);
    ASSERT_TRUE(holder.Holding());
    Form().CloseMenuClick();
    EXPECT_EQ(Form().Handle(), nullptr) << "the program ended";
    ASSERT_FALSE(log.texts.empty()) << "the user is told";
    EXPECT_NE(log.texts[0].find(f.Ini()), std::wstring::npos);
}

TEST_F(SessionEnd, FailedExitLetsALaterCloseHideAgain) {
    Ini("CloseAsMinimize=1\r\n");
    Start();
    Type(0, L"Call the bank ");
    FolderAway();
    Form().CloseMenuClick();
    ASSERT_NE(Form().Handle(), nullptr) << "the page could not be saved: the program stays";
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_FALSE(Form().ExitRequested);
    FolderBack();
    SendMessageW(Form().Handle(), WM_CLOSE, 0, 0);
    EXPECT_NE(Form().Handle(), nullptr) << "a close hides, as CloseAsMinimize says";
}

// A sync client or a virus scanner holding the file for 300 ms: the save waits it out.
TEST_F(SessionEnd, FileHeldForAMomentDuringASaveIsWaitedOut) {
    Start();
    ASSERT_TRUE(Exists(test::FileHolder::HolderPath())) << "tavrik_file_holder.exe is missing beside the tests";
    Type(0, L"Call the bank ");
    for (const std::wstring& held : {pages + L"\\Notes.tvk", f.Ini()}) {
        test::FileHolder holder(held);
        ASSERT_TRUE(holder.Holding());
        std::thread letGo([&] {
            Sleep(300);
            SetEvent(holder.Release());
        });
        const bool saved = held == f.Ini() ? Form().WritePageList() : Form().SavePage(0);
        letGo.join();
        EXPECT_TRUE(saved) << std::string(held.begin(), held.end());
    }
    EXPECT_NE(ReadBytes(pages + L"\\Notes.tvk").find("Call the bank"), std::string::npos);
    EXPECT_TRUE(log.texts.empty()) << "no failure to tell: " << (log.texts.empty() ? std::wstring() : log.texts[0]);
}
