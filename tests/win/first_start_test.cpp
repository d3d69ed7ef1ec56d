// The first start: the interface language Windows speaks, the default size for the monitor and the
// tray's notice; the tray icon's tip and its mark while the clipboard is caught.
#include <gtest/gtest.h>

#include "test_folder.h"
#include "window/tray_icon.h"

using namespace tavrik;

namespace {

constexpr std::uint16_t kEnglishUs = 0x0409, kUkrainian = 0x0422, kRussian = 0x0419;

class FirstStart : public test::FormTest {
protected:
    // A new start over the folder: `ini` written first unless it is null (no settings file at all).
    void Restart(const char* ini) {
        f.Close();
        DeleteFileW(f.Ini().c_str());
        if (ini) f.WriteIni(test::IniBuilder().Parameters(ini).Page("A"));
        ASSERT_TRUE(f.Start());
    }
    const window::TrayIcon& Tray() {
        (void)Form().TabControl();  // the parts nobody sees, the tray icon with them
        return Form().Tray();
    }
};

}  // namespace

TEST_F(FirstStart, AFirstStartSpeaksAsWindowsAndKeepsIt) {
    struct Case {
        const char* ini;  // null: no tavrik.ini
        std::uint16_t windows;
        const wchar_t* caption;
        int stored;
    };
    const Case cases[] = {
        {nullptr, kEnglishUs, L"Tavrik", 0},       {nullptr, kUkrainian, L"Таврик", 1},
        {"AutoSave=5", kEnglishUs, L"Таврик", -1},  // a file from before keeps its language
        {"Language=1", kEnglishUs, L"Таврик", 1},  // once written, the key rules
        {"Language=0", kRussian, L"Tavrik", 0},
    };
    for (const Case& c : cases) {
        f.uiLanguage = c.windows;
        Restart(c.ini);
        EXPECT_EQ(Caption(), c.caption) << (c.ini ? c.ini : "no tavrik.ini");
        EXPECT_EQ(Form().Ini().ReadInteger(L"Parameters", L"Language", -1), c.stored) << "written at once";
    }
}

TEST_F(FirstStart, DefaultSizeIsScaledToTheMonitorAndAStoredSizeIsNot) {
    struct Case {
        const char* ini;
        unsigned dpi;
        LONG width, height;
    };
    const Case cases[] = {
        {nullptr, 144, 627, 215},
        {nullptr, 96, 418, 143},
        {"MainWidth=500\r\nMainHeight=300", 144, 500, 300},
        {"MainWidth=500", 144, 500, 215},  // each key rules alone
    };
    for (const Case& c : cases) {
        f.dpi = c.dpi;
        Restart(c.ini);
        RECT rc{};
        GetWindowRect(Window(), &rc);
        EXPECT_EQ(rc.right - rc.left, c.width) << c.dpi << (c.ini ? c.ini : "");
        EXPECT_EQ(rc.bottom - rc.top, c.height) << c.dpi << (c.ini ? c.ini : "");
    }
}

TEST_F(FirstStart, TrayNoticeComesOnlyWhenThereWasNoSettingsFile) {
    f.trayIcon = true;
    f.uiLanguage = kEnglishUs;
    Restart(nullptr);
    EXPECT_EQ(Tray().NoticeTitle(), L"Tavrik is running");
    EXPECT_EQ(Tray().NoticeText(), L"Press Scroll Lock or click this icon to open it.");
    f.Close();
    ASSERT_TRUE(f.Start());  // the first start wrote tavrik.ini
    EXPECT_TRUE(Tray().Wanted());
    EXPECT_EQ(Tray().NoticeTitle(), L"") << "a second start says nothing";

    // Another program holds the hot key: only the icon opens the window, and the tip names no key.
    const HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    f.Close();
    ASSERT_TRUE(RegisterHotKey(other, 7, 0, VK_SCROLL));
    Restart(nullptr);
    EXPECT_EQ(Tray().NoticeText(), L"Click this icon to open it.");
    EXPECT_EQ(Tray().Tip(), L"Tavrik");
    UnregisterHotKey(other, 7);
    DestroyWindow(other);
}

TEST_F(FirstStart, CatchingMarksTheTrayIconAndItsTipFollowsKeyAndLanguage) {
    f.trayIcon = true;
    StartForm(test::IniBuilder().Parameter("Language", 0).Parameter("HotKey", 145).Page("A"));
    const HICON plain = Tray().Icon();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(Tray().Tip(), L"Tavrik \u2014 Scroll Lock");
    Form().CatchClipboardClick();
    EXPECT_NE(Tray().Icon(), plain) << "the marked copy";
    EXPECT_EQ(Tray().Tip(), L"Tavrik \u2014 Scroll Lock\nCatching the clipboard");

    int control = 0x4000 + 0x2000 + 'N';  // "Use now" in Options
    Form().SetNewHotKey(1, control);
    Form().SetNewHotKey(2, control);
    Form().RussianLangMenuItemClick();
    EXPECT_EQ(Tray().Tip(), L"Таврик \u2014 Ctrl+Shift+N\nЗахват буфера обмена включён");
    Form().CatchClipboardClick();
    EXPECT_EQ(Tray().Icon(), plain);
    EXPECT_EQ(Tray().Tip(), L"Таврик \u2014 Ctrl+Shift+N");

    // Caught at the last exit: the mark is there from the start.
    Form().CatchClipboardClick();
    f.Close();
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(Tray().Tip(), L"Таврик \u2014 Ctrl+Shift+N\nЗахват буфера обмена включён");
}
