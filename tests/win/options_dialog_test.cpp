// The Options dialog driven from inside its own loop: what it shows, previews, stores and undoes.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "app/res/resource_ids.h"
#include "options/options_form.h"
#include "test_folder.h"

#include <commctrl.h>

#include <functional>
#include <string>

using namespace tavrik;

namespace {

std::function<void()> whileUp;

void CALLBACK RunWhileUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (whileUp) whileUp();
}

class OptionsDialog : public ::testing::Test {
protected:
    void StartShown(const std::string& parameters) {
        test::WriteAnsiIni(f.Ini(), "[Parameters]\r\nLanguage=0\r\n" + parameters);
        ASSERT_TRUE(f.Start());
        f.form->ShowMenuClick();
    }
    ~OptionsDialog() override {
        whileUp = nullptr;
        app::SetDialogHooks({});
    }
    // Service, Options as the menu sends it; `user` runs once the dialog is up. False when none came.
    bool Open(const std::function<void()>& user) {
        bool came = false;
        MSG quit;  // a form closed before leaves its quit message, which would end the dialog's loop
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        whileUp = [&] {
            came = Dialog() != nullptr;
            if (came) user();
            if (Dialog()) PostMessageW(Dialog(), WM_CLOSE, 0, 0);  // never left open by a failed check
        };
        SetTimer(nullptr, 0, 50, RunWhileUp);
        SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Options), 0);
        return came;
    }
    HWND Dialog() const { return f.form->OptionsForm ? f.form->OptionsForm->Handle() : nullptr; }
    HWND Item(int id) const { return f.form->OptionsForm->Item(id); }
    bool Ticked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // Keys as the dialog's loop receives them, at the control with the focus.
    static void Press(WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    }
    void Slide(int position) const {
        SendMessageW(Item(IDC_TRANSPARENCY), TBM_SETPOS, TRUE, position);
        SendMessageW(GetParent(Item(IDC_TRANSPARENCY)), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                     reinterpret_cast<LPARAM>(Item(IDC_TRANSPARENCY)));
    }
    int Alpha() const {
        if (!(GetWindowLongPtrW(f.form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED)) return -1;
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(f.form->Handle(), nullptr, &alpha, &flags);
        return alpha;
    }
    std::wstring Key(const wchar_t* key) const {
        return f.form->Ini().ReadString(L"Parameters", key, L"(none)");
    }

    test::MessageLog log;
    test::FormInFolder f;
};

TEST_F(OptionsDialog, TrackBarPreviewsDownToAlphaFifteenAndCancelBringsTheStoredAlphaBack) {
    StartShown("NoTransparency=0\r\nMaxTransparency=200\r\n");
    int atRightEnd = 0, afterTick = 0;
    ASSERT_TRUE(Open([&] {
        Slide(240);
        atRightEnd = Alpha();
        Click(IDC_NO_TRANSPARENCY);  // opaque at once, the track bar greyed
        afterTick = Alpha();
        EXPECT_FALSE(IsWindowEnabled(Item(IDC_TRANSPARENCY)));
        PostMessageW(Item(IDCANCEL), BM_CLICK, 0, 0);
    }));
    EXPECT_EQ(atRightEnd, 15);
    EXPECT_EQ(afterTick, -1);
    EXPECT_EQ(Alpha(), 200);
    EXPECT_EQ(Key(L"MaxTransparency"), L"200");
    EXPECT_EQ(Key(L"NoTransparency"), L"0");
    EXPECT_TRUE(f.form->HotKeyReady);
    EXPECT_TRUE(f.form->KeysEnabled());
}

TEST_F(OptionsDialog, EnterInTheFolderFieldAppliesAndClosesAndEscClosesWithoutStoring) {
    StartShown("AutoTab=0\r\nAutoHide=0\r\n");
    ASSERT_TRUE(Open([&] {
        Click(IDC_AUTO_TAB);
        SetFocus(Item(IDC_SAVE_TO));
        Press(VK_RETURN);
    }));
    EXPECT_FALSE(IsWindow(Dialog()));
    EXPECT_EQ(Key(L"AutoTab"), L"1");
    EXPECT_TRUE(f.form->AutoTab);
    ASSERT_TRUE(Open([&] {
        Click(IDC_AUTO_HIDE);
        SetFocus(Item(IDC_SAVE_TO));
        Press(VK_ESCAPE);
    }));
    EXPECT_FALSE(IsWindow(Dialog()));
    EXPECT_EQ(Key(L"AutoHide"), L"0");
    EXPECT_FALSE(f.form->AutoHide);
    EXPECT_TRUE(f.form->WindowShown) << "Esc closed the dialog, not the window";
}

}  // namespace
