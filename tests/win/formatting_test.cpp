// The formatting commands on the current page's selection, and the controls that follow it.
#include <gtest/gtest.h>

#include "editor/page_editor.h"
#include "test_folder.h"

#include <commctrl.h>
#include <richedit.h>

using namespace tavrik;

namespace {

class Formatting : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteAnsiIni(f.Ini(), "[Pages]\r\nA=16777215*Arial*0*10*0*0*1*\r\n");
        ASSERT_TRUE(f.Start());
        f.form->FormShow();
        editor_ = f.form->Editor(0);
        SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"plain words\r\nsecond line"));
    }
    void Select(int from, int to) {
        CHARRANGE range{from, to};
        SendMessageW(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        f.form->SelectionChange();
    }
    CHARFORMAT2W Format(int from, int to) {
        Select(from, to);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(editor_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }
    // What a click on a check button does: the button toggles itself, then its command runs.
    void Click(ui::Cmd cmd) {
        auto& bars = f.form->Toolbars();
        bars.Check(cmd, !bars.IsChecked(cmd));
        SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(cmd), 0);
    }
    void TypeInto(HWND box, const wchar_t* text) {
        SetWindowTextW(box, text);
        SendMessageW(f.form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    }
    std::wstring Text(HWND box) {
        wchar_t text[64] = {};
        GetWindowTextW(box, text, 64);
        return text;
    }

    test::MessageLog log;
    test::FormInFolder f;
    HWND editor_ = nullptr;
};

}  // namespace

TEST_F(Formatting, StyleButtonsChangeOnlyTheirOwnStyle) {
    Select(0, 5);
    Click(ui::Cmd::Bold);
    Click(ui::Cmd::Italic);
    EXPECT_TRUE(f.form->Toolbars().IsChecked(ui::Cmd::Bold));
    Click(ui::Cmd::Bold);  // off again: italic stays
    const CHARFORMAT2W cf = Format(0, 5);
    EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
    EXPECT_FALSE(Format(6, 11).dwEffects & CFE_ITALIC) << "outside the selection nothing changed";
    Select(0, 5);
    EXPECT_TRUE(f.form->Toolbars().IsChecked(ui::Cmd::Italic));
    EXPECT_FALSE(f.form->Toolbars().IsChecked(ui::Cmd::Underline));
}

TEST_F(Formatting, SizeBoxTakesOnlyWholeNumbersInRange) {
    const HWND box = f.form->Toolbars().SizeBox();
    Select(0, 5);
    TypeInto(box, L"14");
    EXPECT_EQ(Format(0, 5).yHeight, 14 * 20);
    TypeInto(box, L"301");  // refused: the box shows the real size again
    EXPECT_EQ(Format(0, 5).yHeight, 14 * 20);
    EXPECT_EQ(Text(box), L"14");
    TypeInto(box, L"1a");  // not a number: nothing changes, and the text is left for editing
    EXPECT_EQ(Text(box), L"1a");
    EXPECT_EQ(Format(0, 5).yHeight, 14 * 20);
}

TEST_F(Formatting, BoxesAreEmptyForSelectionsOfSeveralFacesAndSizes) {
    const HWND fontBox = f.form->Toolbars().FontBox();
    const HWND sizeBox = f.form->Toolbars().SizeBox();
    Select(0, 5);
    TypeInto(fontBox, L"Tahoma");
    TypeInto(sizeBox, L"18");
    Select(0, 11);  // "plain" in Tahoma 18, " words" in the page's own
    EXPECT_EQ(Text(fontBox), L"");
    EXPECT_EQ(Text(sizeBox), L"");
    Select(0, 5);
    EXPECT_EQ(Text(fontBox), L"Tahoma");
    EXPECT_EQ(Text(sizeBox), L"18");
}

TEST_F(Formatting, AlignmentButtonsFormOneGroup) {
    Select(13, 13);  // in the second paragraph
    auto& bars = f.form->Toolbars();
    bars.Check(ui::Cmd::AlignLeft, false);
    Click(ui::Cmd::AlignCenter);
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    SendMessageW(editor_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    EXPECT_EQ(pf.wAlignment, PFA_CENTER);
    EXPECT_TRUE(bars.IsChecked(ui::Cmd::AlignCenter));
    Select(0, 0);  // the first paragraph is still left-aligned
    EXPECT_TRUE(bars.IsChecked(ui::Cmd::AlignLeft));
    EXPECT_FALSE(bars.IsChecked(ui::Cmd::AlignCenter));
}

TEST_F(Formatting, WordWrapBelongsToThePageAndIsKept) {
    ASSERT_TRUE(f.form->Page(0).entry.wordWrap);
    SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::WordWrap), 0);
    EXPECT_FALSE(f.form->Page(0).entry.wordWrap);
    EXPECT_FALSE(f.form->Menus().IsChecked(ui::Cmd::WordWrap));
    ASSERT_TRUE(f.form->FinishAll());
    EXPECT_NE(test::ReadIniText(f.Ini()).find(L"A=16777215*Arial*0*10*0*0*0*"), std::wstring::npos);
}

TEST_F(Formatting, RightClickedLinkIsOfferedAndCopied) {
    SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"see http://example.com/x now"));
    ENLINK link{};
    link.nmhdr = {editor_, static_cast<UINT_PTR>(GetDlgCtrlID(editor_)), static_cast<UINT>(EN_LINK)};
    link.msg = WM_RBUTTONDOWN;
    link.chrg = {4, 24};
    SendMessageW(f.form->Handle(), WM_NOTIFY, link.nmhdr.idFrom, reinterpret_cast<LPARAM>(&link));
    EXPECT_EQ(f.form->ClickedLink, L"http://example.com/x");
    f.form->PopupMenu1Popup();
    EXPECT_TRUE(f.form->Menus().IsVisible(u"CopyHiperlinkMenu"));
    SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::CopyHyperlink), 0);
    EXPECT_TRUE(f.form->ClickedLink.empty());
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_STREQ(text, L"http://example.com/x");
    if (text) GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
    f.form->PopupMenu1Popup();  // the offer lasts one opening of the menu
    EXPECT_FALSE(f.form->Menus().IsVisible(u"CopyHiperlinkMenu"));
}

TEST_F(Formatting, FindGoesForwardWithoutWrappingRound) {
    SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Alpha beta ALPHA gamma alpha"));
    editor::SetCaret(editor_, 20);  // no selection: the search starts at the beginning, not the caret
    ASSERT_TRUE(f.form->FindDialog1Find(L"alpha"));
    CHARRANGE found{};
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found.cpMin, 0);
    EXPECT_EQ(found.cpMax, 5);
    ASSERT_TRUE(f.form->FindDialog1Find(L"alpha"));  // after the match, case ignored
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found.cpMin, 11);
    ASSERT_TRUE(f.form->FindDialog1Find(L"alpha"));
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found.cpMin, 23);
    EXPECT_FALSE(f.form->FindDialog1Find(L"alpha")) << "no wrapping round while a match is selected";
    SendMessageW(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found.cpMin, 23) << "nothing changes when nothing is found";
    EXPECT_FALSE(f.form->FindDialog1Find(L"delta"));
}

TEST_F(Formatting, FindDialogIsModelessAndComesBackOnce) {
    SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Find), 0);
    const HWND dialog = f.form->FindDialog();
    ASSERT_NE(dialog, nullptr);
    SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Find), 0);
    EXPECT_EQ(f.form->FindDialog(), dialog) << "a second Find reuses the open dialog";
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(f.form->FindDialog(), nullptr);
}
