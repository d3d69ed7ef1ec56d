// The About box driven from inside its own modal loop: caption, version, keys, and the links.
#include <gtest/gtest.h>

#include "app/shell_open.h"
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
