// Settings and pages that earlier versions kept in the registry, put there with reg.exe and taken
// over by a real start of tavrik.exe.
#include <gtest/gtest.h>

#include "tavrik_process.h"
#include "test_folder.h"

#include <memory>

namespace tavrik::e2e {
namespace {

using Entries = std::vector<std::pair<std::wstring, std::wstring>>;

// A key of the test folder's own, never the one earlier versions used on this machine.
class LegacySettings : public ::testing::Test {
protected:
    std::wstring Legacy() const { return folder.RunKey().substr(0, folder.RunKey().rfind(L'\\')) + L"\\Old"; }

    // As an installer or a user would fill the key: reg.exe add, waited for.
    void RegAdd(const std::wstring& subKey, const std::wstring& name, const std::wstring& data,
                const wchar_t* type = L"REG_SZ") const {
        std::wstring command = L"reg.exe add \"HKCU\\" + Legacy() + L"\\" + subKey + L"\" /v " + name + L" /t " +
                               type + L" /d " + data + L" /f";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                   nullptr, &startup, &info))
            << "cannot start reg.exe, error " << GetLastError();
        DWORD code = 1;
        if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        ASSERT_EQ(code, 0u) << Utf8(command);
    }

    bool KeyThere(const std::wstring& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    // The program, not yet started, told to look for the old settings in Legacy() and to assume
    // the Windows version code given.
    std::unique_ptr<TavrikProcess> Program(const wchar_t* osVersion) const {
        auto app = std::make_unique<TavrikProcess>(folder);
        app->SetVariable(L"TAVRIK_LEGACY_KEY", Legacy());
        app->SetVariable(L"TAVRIK_OS_VERSION", osVersion);
        return app;
    }

    ProgramFolder folder;
};

// Code 5 (NT 4) has no translucency by default, where Wine would report a version that has it.
TEST_F(LegacySettings, HotKeyAloneBringsEveryKeyWithItsDefaultOnceAndTheKeyStays) {
    ASSERT_NO_FATAL_FAILURE(RegAdd(L"Parameters", L"HotKey", L"120"));
    {
        const auto app = Program(L"5");
        ASSERT_TRUE(app->Start());
        const auto ini = ReadIni(folder.Ini());
        ASSERT_TRUE(ini);
        const std::wstring own = folder.App();
        EXPECT_EQ(ini->Section(L"Parameters"),
                  (Entries{{L"MainLeft", L"0"}, {L"MainTop", L"0"}, {L"MainHeight", L"143"}, {L"MainWidth", L"418"},
                           {L"DefaultFontName", L"MS Sans Serif"}, {L"DefaultFontSize", L"10"},
                           {L"DefaultFontColor", L"0"}, {L"DefaultRichEditColor", L"16777215"}, {L"Style", L"2"},
                           {L"Multitabs", L"0"}, {L"OnTop", L"1"}, {L"Plain", L"0"}, {L"NoTransparency", L"1"},
                           {L"MaxTransparency", L"255"}, {L"ShowCool", L"1"}, {L"FadeSpeed", L"5"},
                           {L"AutoHide", L"0"}, {L"HideTimeout", L"0"}, {L"AutoStart", L"0"},
                           {L"CloseAsMinimize", L"0"}, {L"ShowTrayIcon", L"1"}, {L"Language", L"1"},
                           {L"SaveTo", own}, {L"LastSave", own}, {L"AutoTab", L"0"}, {L"AutoDecode", L"0"},
                           {L"StartPage", L"0"}, {L"HotKey", L"120"}}));
        EXPECT_FALSE(KeyThere(Legacy() + L"\\Parameters"));
        EXPECT_TRUE(KeyThere(Legacy()));
        ASSERT_TRUE(app->Close());
    }

    // What the user changed since stays: there is nothing left to take over.
    ASSERT_TRUE(WritePrivateProfileStringW(L"Parameters", L"HotKey", L"123", folder.Ini().c_str()));
    const auto again = Program(L"5");
    ASSERT_TRUE(again->Start());
    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Value(L"Parameters", L"HotKey"), L"123");
    EXPECT_TRUE(KeyThere(Legacy()));
    EXPECT_TRUE(again->Close());
}

// A value of another type than text takes its default quietly; the page takes its colour from the
// registry, the fonts from the defaults, and its old file without an extension is renamed on loading.
TEST_F(LegacySettings, PagesAndParametersOnVersion7WithADwordValueAndAnOldPageFile) {
    ASSERT_NO_FATAL_FAILURE(RegAdd(L"Parameters", L"HotKey", L"120", L"REG_DWORD"));
    ASSERT_NO_FATAL_FAILURE(RegAdd(L"Parameters", L"Language", L"0"));
    ASSERT_NO_FATAL_FAILURE(RegAdd(L"Pages", L"Notes", L"255"));
    const std::string old = RtfPage("Notes of an old version");
    WriteBytes(folder.App() + L"Notes", old);
    const auto app = Program(L"7");
    ASSERT_TRUE(app->Start());  // fails on any message box

    const auto ini = ReadIni(folder.Ini());
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->Value(L"Parameters", L"NoTransparency"), L"0");
    EXPECT_EQ(ini->Value(L"Parameters", L"HotKey"), L"145");
    EXPECT_EQ(ini->Value(L"Parameters", L"Language"), L"0");
    EXPECT_EQ(ini->Section(L"Pages"), (Entries{{L"Notes", L"255*MS Sans Serif*0*10*0*0*1*"}}));
    EXPECT_FALSE(KeyThere(Legacy() + L"\\Parameters"));
    EXPECT_FALSE(KeyThere(Legacy() + L"\\Pages"));

    EXPECT_EQ(app->TabCaptions(), std::vector<std::wstring>{L"Notes"});
    EXPECT_EQ(app->ShownEditorText(), L"Notes of an old version");
    EXPECT_FALSE(FileExists(folder.App() + L"Notes"));
    EXPECT_EQ(ReadBytes(folder.PageFile(L"Notes")), old);
    app->FailOnMessageBoxes("after the page was shown");
    EXPECT_TRUE(app->Close());
}

}  // namespace
}  // namespace tavrik::e2e
