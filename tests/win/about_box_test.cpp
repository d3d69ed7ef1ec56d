// The About box driven from inside its own modal loop: caption, version, keys, and the links; and the
// help, opened by the shell or, where it has no program for text, in a window of the program's own.
#include <gtest/gtest.h>

#include "app/shell_open.h"
#include "app/text.h"
#include "ui/help_window.h"
#include "ui/about_texts.h"
#include "dialog_driver.h"
#include "test_folder.h"

#include <functional>
#include <string>
#include <vector>

using namespace tavrik;

namespace {

struct Opened {
    std::wstring target;
    bool boxGone = false;
};

class AboutBox : public test::FormTest {
protected:
    void StartShown(std::string_view language) {
        StartForm(test::IniBuilder().Parameter("NoTransparency", 1).Parameter("Language", language));
        f.form->ShowMenuClick();
        ui::SetProjectAddressesForTests(addresses);
        app::SetShellOpenHook([this](HWND, std::wstring_view target) {
            opened.push_back({std::wstring(target), !IsWindow(box)});
            return true;
        });
    }
    ~AboutBox() override {
        ui::SetProjectAddressesForTests(std::nullopt);
        app::SetShellOpenHook(nullptr);
    }
    // Help, About as the menu sends it; `user` runs once the box is up. False when no box came.
    bool Open(const std::function<void()>& user) {
        box = nullptr;
        const test::DialogDriver drive([this, user](HWND shown) {
            box = shown;
            user();
        });
        SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::About), 0);
        return drive.Came();
    }
    static std::wstring TextOf(HWND hwnd) {
        wchar_t text[128] = {};
        GetWindowTextW(hwnd, text, 128);
        return text;
    }
    // The box's controls in the order Tab reaches them.
    std::vector<std::wstring> TabOrder() const {
        std::vector<std::wstring> order;
        HWND control = GetNextDlgTabItem(box, nullptr, FALSE);
        for (HWND first = control; control && order.size() < 8; control = GetNextDlgTabItem(box, control, FALSE)) {
            order.push_back(TextOf(control));
            if (GetNextDlgTabItem(box, control, FALSE) == first) break;
        }
        return order;
    }

    ui::ProjectAddresses addresses{u"https://tavrik.example/", u"tavrik@tavrik.example"};
    HWND box = nullptr;
    std::vector<Opened> opened;
};

TEST_F(AboutBox, CaptionFollowsTheLanguageAndTheVersionIsTheBuilds) {
    StartShown("1");
    std::wstring caption, product;
    ASSERT_TRUE(Open([&] {
        caption = TextOf(box);
        product = TextOf(GetDlgItem(box, 101));
        test::PressKey(VK_RETURN);  // OK is the default button
    }));
    EXPECT_EQ(caption, L"О программе");
    EXPECT_EQ(product, L"Tavrik, Version " TAVRIK_EXPECTED_VERSION);
    f.form->EnglishLangMenuItemClick();
    ASSERT_TRUE(Open([&] {
        caption = TextOf(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_EQ(caption, L"About");
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(opened.empty());
}

TEST_F(AboutBox, EscClosesTheBoxNotTheWindowAndTheKeysComeBack) {
    StartShown("0");
    ASSERT_TRUE(f.form->KeysEnabled());
    bool keysWhileUp = true;
    std::vector<std::wstring> order;
    ASSERT_TRUE(Open([&] {
        keysWhileUp = f.form->KeysEnabled();
        order = TabOrder();
        test::PressKey(VK_ESCAPE);
    }));
    EXPECT_FALSE(keysWhileUp);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"tavrik.example", L"tavrik@tavrik.example", L"OK"}));
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(f.form->WindowShown);
    EXPECT_TRUE(IsWindowVisible(f.form->Handle()));
    EXPECT_TRUE(f.form->KeysEnabled());
    EXPECT_TRUE(opened.empty());
}

// A link with nowhere real to go is no link: a build given no address shows none.
TEST_F(AboutBox, WithoutTheProjectsAddressesNoLinkIsShownAndTheIconOpensNothing) {
    addresses = {};
    StartShown("0");
    std::vector<std::wstring> order;
    ASSERT_TRUE(Open([&] {
        order = TabOrder();
        const HWND icon = GetDlgItem(box, 100);
        PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_EQ(order, (std::vector<std::wstring>{L"OK"}));
    EXPECT_TRUE(opened.empty());
}

TEST_F(AboutBox, HotKeyStillHidesTheWindowAndItsKeysStayOffAfterTheBox) {
    StartShown("0");
    ASSERT_TRUE(Open([&] {
        SendMessageW(f.form->Handle(), WM_HOTKEY, 0, 0);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }));
    EXPECT_FALSE(f.form->WindowShown);
    EXPECT_FALSE(f.form->KeysEnabled()) << "a hidden window takes no shortcuts";
}

TEST_F(AboutBox, IconAndWebLinkOpenTheWebPageAndTheMailLinkAMailtoOnceTheBoxIsGone) {
    StartShown("0");
    ASSERT_TRUE(Open([&] {
        const HWND icon = GetDlgItem(box, 100);
        PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }));
    ASSERT_TRUE(Open([&] {
        SetFocus(GetDlgItem(box, 102));
        test::PressKey(VK_RETURN);
    }));
    ASSERT_TRUE(Open([&] {
        SetFocus(GetDlgItem(box, 103));
        test::PressKey(VK_SPACE);
    }));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].target, L"https://tavrik.example/");
    EXPECT_EQ(opened[1].target, L"https://tavrik.example/");
    EXPECT_EQ(opened[2].target, L"mailto:tavrik@tavrik.example");
    for (const Opened& one : opened) EXPECT_TRUE(one.boxGone) << "the box closes before the shell is asked";
    EXPECT_TRUE(f.form->KeysEnabled());
}

}  // namespace

namespace {

// Help as the menu sends it; the shell answers `shellOpens`.
class Help : public test::FormTest {
protected:
    void Start(int language, bool shellOpens) {
        StartForm(test::IniBuilder().Parameter("NoTransparency", 1).Parameter("Language", language));
        f.form->ShowMenuClick();
        app::SetShellOpenHook([this, shellOpens](HWND, std::wstring_view target) {
            offered.emplace_back(target);
            return shellOpens;
        });
    }
    ~Help() override { app::SetShellOpenHook(nullptr); }
    HWND HelpWindow() const { return FindWindowW(ui::kHelpWindowClass, nullptr); }
    std::vector<std::wstring> offered;
};

}  // namespace

TEST_F(Help, TheShellOpensTheFileBesideTheProgramInTheInterfaceLanguage) {
    Start(0, true);
    test::WriteBytes(f.folder.Path() + L"help_eng.txt", "\xEF\xBB\xBFTavrik - a note pad\n");
    f.form->HelpMenuItemClick();
    EXPECT_EQ(offered, std::vector<std::wstring>{f.folder.Path() + L"help_eng.txt"});
    EXPECT_EQ(HelpWindow(), nullptr);
    EXPECT_TRUE(log.texts.empty());
}

// No program for text files: the text, line by line as written with LF alone, in a read-only
// window above the main one; Esc closes it.
TEST_F(Help, WithoutAProgramForTextTheHelpIsShownInAWindowOfItsOwn) {
    Start(1, false);
    // "Таврик\nЗаметки" in UTF-8 with its byte order mark, as the help files are installed.
    test::WriteBytes(f.folder.Path() + L"help_rus.txt",
                     "\xEF\xBB\xBF\xD0\xA2\xD0\xB0\xD0\xB2\xD1\x80\xD0\xB8\xD0\xBA\n"
                     "\xD0\x97\xD0\xB0\xD0\xBC\xD0\xB5\xD1\x82\xD0\xBA\xD0\xB8\n");
    f.form->HelpMenuItemClick();
    const HWND help = HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_EQ(GetWindow(help, GW_OWNER), f.form->Handle());
    EXPECT_EQ(app::WindowText(help), L"Справка Таврика");
    const HWND edit = FindWindowExW(help, nullptr, L"Edit", nullptr);
    EXPECT_EQ(app::WindowText(edit), L"Таврик\r\nЗаметки\r\n");
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(log.texts.empty());

    f.form->HelpMenuItemClick();
    EXPECT_EQ(HelpWindow(), help) << "one window, brought forward";
    SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_FALSE(IsWindow(help));
}

TEST_F(Help, AMissingHelpFileIsNamedNotPassedOver) {
    Start(0, true);
    f.form->HelpMenuItemClick();
    EXPECT_TRUE(offered.empty());
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0].find(L"The help file is missing:\r\n" + f.folder.Path() + L"help_eng.txt"), 0u);
    EXPECT_EQ(HelpWindow(), nullptr);
}
