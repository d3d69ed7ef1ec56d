// The formatting commands on the current page's selection, and the controls that follow it.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "editor/page_editor.h"
#include "editor/rich_ole.h"
#include "test_folder.h"

#include <commctrl.h>
#include <richedit.h>

#include <functional>
#include <string>

using namespace tavrik;

namespace {

class Formatting : public test::FormTest {
protected:
    void SetUp() override {
        StartForm(test::IniBuilder().Page("A"));
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
    static COMBOBOXINFO Parts(HWND box) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(box, &info);
        return info;
    }
    static HWND EditOf(HWND box) { return Parts(box).hwndItem; }
    // Keys as the message loop hands them on: the window's shortcuts first, then the focus.
    void Press(WPARAM key) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 0, static_cast<DWORD>(GetMessageTime()), {}};
        if (f.form->PreTranslate(msg)) return;
        SendMessageW(msg.hwnd, WM_KEYDOWN, key, 0);
        SendMessageW(msg.hwnd, WM_CHAR, key == VK_RETURN ? L'\r' : key, 0);
    }
    // Typed over the box's whole text, a character at a time.
    static void TypeOver(HWND box, const wchar_t* text) {
        SendMessageW(EditOf(box), EM_SETSEL, 0, -1);
        for (const wchar_t* c = text; *c; ++c) SendMessageW(EditOf(box), WM_CHAR, *c, 0);
    }
    // The list opened as its button does, the item at `index` made current; its text.
    static std::wstring DropAt(HWND box, LRESULT index) {
        SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        wchar_t item[LF_FACESIZE] = {};
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
        return item;
    }
    static void ClickItem(HWND box, const wchar_t* item) {
        const LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
        DropAt(box, index);
        RECT rc{};
        SendMessageW(Parts(box).hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc));
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        SendMessageW(Parts(box).hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(Parts(box).hwndList, WM_LBUTTONUP, 0, at);
    }

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

// Typing in a box acts at once and keeps the keyboard there; a choice hands it back to the page,
// so the next words go into the text; Esc leaves the box as it was.
TEST_F(Formatting, AChoiceInAFontBoxHandsTheKeyboardBackToThePage) {
    const HWND sizeBox = f.form->Toolbars().SizeBox();
    const HWND fontBox = f.form->Toolbars().FontBox();
    f.form->ShowMenuClick();  // the window's keys are on while it is shown
    ASSERT_TRUE(f.form->KeysEnabled());
    // Which faces Wine lists depends on the machine: the picks take the list's first and last.
    const std::wstring typedName = L"Tahoma";
    std::wstring picked;
    const struct {
        const char* what;
        HWND box;
        std::function<void()> act;
        bool backOnPage;
        const std::wstring* face;  // the selection's afterwards, when the case sets it
        int size;
    } cases[] = {
        {"digits typed", sizeBox, [&] { TypeOver(sizeBox, L"12"); }, false, nullptr, 12},
        {"digits and Enter", sizeBox, [&] { TypeOver(sizeBox, L"16"); Press(VK_RETURN); }, true, nullptr, 16},
        {"a name and Enter", fontBox, [&] { TypeOver(fontBox, typedName.c_str()); Press(VK_RETURN); }, true,
         &typedName, 16},
        {"a pick with Enter", fontBox, [&] { picked = DropAt(fontBox, 0); Press(VK_RETURN); }, true, &picked, 16},
        {"a pick with the mouse", sizeBox, [&] { ClickItem(sizeBox, L"20"); }, true, &picked, 20},
        {"Esc in the open list", fontBox,
         [&] { DropAt(fontBox, SendMessageW(fontBox, CB_GETCOUNT, 0, 0) - 1); Press(VK_ESCAPE); }, false, &picked, 20},
        {"Esc after a stray letter", sizeBox, [&] { TypeOver(sizeBox, L"x"); Press(VK_ESCAPE); }, true, &picked, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Select(0, 5);
        SetFocus(EditOf(c.box));
        c.act();
        EXPECT_EQ(GetFocus(), c.backOnPage ? editor_ : EditOf(c.box));
        EXPECT_FALSE(SendMessageW(c.box, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_TRUE(f.form->WindowShown) << "Esc in a box is not Esc on the page";
        const CHARFORMAT2W cf = Format(0, 5);
        if (c.face) {
            EXPECT_EQ(cf.szFaceName, *c.face);
        }
        EXPECT_EQ(cf.yHeight, c.size * 20);
        EXPECT_EQ(Text(sizeBox), std::to_wstring(c.size)) << "the box shows the selection's size";
    }
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
    EXPECT_STREQ(text ? text : L"(nothing)", L"http://example.com/x");
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

namespace {

// Answers the font and colour dialogs and records what they were preset with.
struct DialogAnswers {
    DialogAnswers() {
        app::SetDialogHooks({nullptr,
                             [this](const editor::CharFormat& preset) {
                                 fontPresets.push_back(preset);
                                 return font;
                             },
                             [this](COLORREF preset) {
                                 colorPresets.push_back(preset);
                                 return color;
                             }});
    }
    ~DialogAnswers() { app::SetDialogHooks({}); }
    std::optional<editor::CharFormat> font;
    std::optional<COLORREF> color;
    std::vector<editor::CharFormat> fontPresets;
    std::vector<COLORREF> colorPresets;
};

}  // namespace

TEST_F(Formatting, FontDialogStartsFromTheSelectionAndSetsAllOfIt) {
    DialogAnswers dialogs;
    Select(0, 5);
    f.form->FontMenuClick();  // cancelled
    ASSERT_EQ(dialogs.fontPresets.size(), 1u);
    EXPECT_EQ(dialogs.fontPresets[0].face, Format(0, 5).szFaceName);

    Select(6, 11);
    dialogs.font = editor::CharFormat{L"Courier New", 14, 0x0000FF, 1 | 4};
    f.form->FontMenuClick();
    const CHARFORMAT2W cf = Format(6, 11);
    EXPECT_STREQ(cf.szFaceName, L"Courier New");
    EXPECT_EQ(cf.yHeight, 14 * 20);
    EXPECT_EQ(cf.crTextColor, 0x0000FFu);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_UNDERLINE);
    EXPECT_FALSE(cf.dwEffects & CFE_ITALIC);
    EXPECT_EQ(Text(f.form->Toolbars().FontBox()), L"Courier New") << "the bar follows";

    // Two sizes in the selection: the dialog gets no size, and its answer without one keeps both.
    Select(0, 11);
    dialogs.font = editor::CharFormat{L"Arial", 0, 0, 0};
    f.form->FontMenuClick();
    EXPECT_EQ(dialogs.fontPresets[2].sizePoints, 0);
    EXPECT_NE(Format(0, 5).yHeight, Format(6, 11).yHeight);
}

TEST_F(Formatting, BackgroundIsThePagesAndItsEntryIsWrittenEvenOnCancel) {
    DialogAnswers dialogs;
    f.form->Ini().EraseSection(L"Pages");
    f.form->BackgroundMenuItemClick();  // cancelled
    ASSERT_EQ(dialogs.colorPresets, std::vector<COLORREF>{0xFFFFFF});
    EXPECT_EQ(f.form->Ini().ReadString(L"Pages", L"A").value_or(L"").substr(0, 15), L"16777215*Arial*");

    dialogs.color = 0x00C0FF;
    f.form->BackgroundMenuItemClick();
    EXPECT_EQ(f.form->Ini().ReadString(L"Pages", L"A").value_or(L"").substr(0, 12), L"49407*Arial*");
    EXPECT_EQ(f.form->Page(0).entry.color, 0x00C0FF);
}

namespace {

// A small bitmap as the clipboard would hand it over: the Insert Object dialog's stand-in embeds it.
bool MakePicture(IOleClientSite* site, IStorage* storage, IOleObject** object) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
    IDataObject* data = nullptr;
    if (FAILED(OleGetClipboard(&data))) return false;
    const bool made = editor::CreateStaticPicture(data, site, storage, object);
    data->Release();
    return made;
}

void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

}  // namespace

TEST_F(Formatting, InsertedObjectSitsAtTheCaretAndARightClickOnItAloneOpensItsProperties) {
    std::vector<IOleObject*> propertiesOf;
    editor::SetObjectDialogHooks({MakePicture, [&](IOleObject* object) { propertiesOf.push_back(object); }});
    Select(5, 5);
    f.form->InsObjectMenuItemClick();
    EXPECT_EQ(editor::ObjectCount(editor_), 1);
    EXPECT_EQ(editor::GetText(editor_).size(), std::wstring(L"plain words\r\nsecond line").size() + 1);

    Select(5, 6);  // the object alone
    EXPECT_TRUE(editor::SelectionIsOneObject(editor_));
    f.form->RichEditMouseUp(editor_, {10, 10});
    EXPECT_EQ(propertiesOf.size(), 1u);

    // With text beside it the editor's menu opens instead; closed again at once.
    Select(4, 6);
    EXPECT_FALSE(editor::SelectionIsOneObject(editor_));
    SetTimer(nullptr, 0, 100, CloseMenuSoon);
    f.form->RichEditMouseUp(editor_, {10, 10});
    EXPECT_EQ(propertiesOf.size(), 1u);

    editor::SetObjectDialogHooks({});
    editor::SetObjectDialogHooks({[](IOleClientSite*, IStorage*, IOleObject**) { return false; }, nullptr});
    f.form->InsObjectMenuItemClick();  // cancelled
    EXPECT_EQ(editor::ObjectCount(editor_), 1);
    editor::SetObjectDialogHooks({});
}
