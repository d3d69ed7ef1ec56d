// A tavrik.ini held by another program at start: waited for, then left alone for the whole run,
// and offered for a restart once it can be read again.
#include <gtest/gtest.h>

#include <thread>

#include "app/messages.h"
#include "app/unique.h"
#include "scratch_files.h"
#include "test_folder.h"

using namespace tavrik;

namespace {

// The user's real settings: English, start with Windows off, two pages, the second current.
constexpr std::string_view kIni =
    "[Parameters]\r\nLanguage=0\r\nAutoStart=0\r\nStartPage=1\r\nMainWidth=600\r\n"
    "[Pages]\r\nWork=16777215*Arial*0*10*0*0*1*\r\nHome=16777215*Arial*0*10*0*0*1*\r\n"
    "[StandartToolbar]\r\nVisible=0\r\n";
constexpr wchar_t kOtherRunValue[] = L"C:\\Elsewhere\\tavrik.exe";

class HeldSettings : public test::FormTest {
protected:
    void SetUp() override {
        test::WriteAnsiIni(f.Ini(), kIni);
        test::WriteBytes(f.PageFile(L"Work"), "{\\rtf1\\ansi work\\par}");
        const std::wstring value = kOtherRunValue;
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, f.runKey.Path().c_str(), L"Tavrik", REG_SZ, value.c_str(),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        f.settingsRetry = {300, 50};  // the program waits 5 s
        ASSERT_TRUE(test::Exists(test::FileHolder::HolderPath()))
            << "tavrik_file_holder.exe is missing beside the tests";
        holder.emplace(f.Ini());
    }
    void StartHeld() {
        ASSERT_TRUE(holder->Holding()) << "the holder did not lock tavrik.ini";
        ASSERT_TRUE(f.Start());
        ASSERT_TRUE(f.form->SettingsHeldBack());
    }

    std::optional<test::FileHolder> holder;
};

TEST_F(HeldSettings, UnreadableFileIsSaidOnceAndNeverWritten) {
    ASSERT_NO_FATAL_FAILURE(StartHeld());
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(f.Ini()), std::wstring::npos) << "the box names the file";
    EXPECT_NE(log.texts[0].find(L"cannot read"), std::wstring::npos);
    EXPECT_NE(log.texts[0].find(L"\u043D\u0435 \u043C\u043E\u0436\u0435\u0442"), std::wstring::npos)  // не может
        << "the box speaks Russian too";
    EXPECT_TRUE(f.form->Ini().Unavailable());
    EXPECT_EQ(f.form->PageCount(), 1);
    EXPECT_EQ(f.form->PageName(0), L"Tavrikdesk");
    EXPECT_EQ(f.runKey.ReadString(L"Tavrik"), kOtherRunValue) << "AutoStart is off by default; the value must stay";

    // A setting changed, typing in the page, Exit: the page file is written, tavrik.ini is not.
    EXPECT_TRUE(f.form->IniFile->WriteInteger(L"Parameters", L"HotKey", 0x4000 | 'K'));
    const HWND editor = f.form->Editor(0);
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed while held back"));
    f.form->NoteChange(editor);
    EXPECT_TRUE(f.form->FinishAll());
    holder->LetGo();
    EXPECT_TRUE(f.form->FinishAll()) << "readable again, but still held back for this run";
    f.Close();  // the toolbar layout goes through a settings file object of its own
    EXPECT_EQ(log.texts.size(), 1u) << "no \"Unable to write\" for each setting";
    EXPECT_EQ(test::ReadBytes(f.Ini()), kIni);
    EXPECT_EQ(f.runKey.ReadString(L"Tavrik"), kOtherRunValue);
    EXPECT_NE(test::ReadBytes(f.PageFile(L"Tavrikdesk")).find("typed while held back"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"Work")), "{\\rtf1\\ansi work\\par}");

    ASSERT_TRUE(f.Start());  // the next start reads the user's settings as they were
    EXPECT_FALSE(f.form->SettingsHeldBack());
    EXPECT_EQ(f.form->PageCount(), 2);
    EXPECT_EQ(f.form->TabIndex(), 1);
}

TEST_F(HeldSettings, LockThatPassesWhileStartUpWaitsIsNoFirstRun) {
    ASSERT_TRUE(holder->Holding());
    f.settingsRetry = {5000, 50};
    std::thread letGo([&] {
        Sleep(400);
        SetEvent(holder->Release());
    });
    const bool started = f.Start();
    letGo.join();
    ASSERT_TRUE(started);
    EXPECT_FALSE(f.form->SettingsHeldBack());
    EXPECT_TRUE(log.texts.empty());
    ASSERT_EQ(f.form->PageCount(), 2);
    EXPECT_EQ(f.form->PageName(0), L"Work");
    EXPECT_FALSE(f.runKey.ReadString(L"Tavrik")) << "the settings were read: AutoStart=0 deletes the value";
}

TEST_F(HeldSettings, FileReadableAgainIsOfferedForARestart) {
    ASSERT_NO_FATAL_FAILURE(StartHeld());
    ASSERT_TRUE(KillTimer(f.form->Handle(), app::kTimerSettingsBack)) << "no timer looks for the file";
    log.answer = IDNO;
    f.form->SettingsBackTime();
    EXPECT_EQ(log.texts.size(), 1u) << "asked while the file is still held";

    holder->LetGo();
    f.form->SettingsBackTime();
    ASSERT_EQ(log.texts.size(), 2u);
    EXPECT_NE(log.texts[1].find(L"Restart Tavrik now"), std::wstring::npos);
    EXPECT_NE(log.texts[1].find(L"Перезапустить"), std::wstring::npos) << "the user's language is not known yet";
    EXPECT_EQ(log.flags[1] & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    f.form->SettingsBackTime();
    EXPECT_EQ(log.texts.size(), 2u) << "asked again right after a no";
    EXPECT_TRUE(f.form->SettingsHeldBack());

    f.form->FormShow();  // the window comes up: the question is due again
    log.answer = IDYES;
    f.form->SettingsBackTime();
    ASSERT_EQ(log.texts.size(), 4u);
    // The test folder holds no program to start: it says so and runs on, held back.
    EXPECT_NE(log.texts[3].find(f.folder.Path() + L"tavrik.exe"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(f.form->Handle()));
    EXPECT_TRUE(f.form->SettingsHeldBack());
    f.Close();
    EXPECT_EQ(test::ReadBytes(f.Ini()), kIni);
}

}  // namespace
