// The window's menus: captions in both languages, the language items and the menu bar toggles.
#include <gtest/gtest.h>

#include "app/error_box.h"
#include "app/text.h"
#include "test_folder.h"
#include "ui/language_tables.h"

#include <commctrl.h>

#include <algorithm>

using namespace tavrik;

namespace {

class Composition : public test::FormTest {
protected:
    void StartWith(std::string_view parameters) {
        StartForm(test::IniBuilder().Parameters(parameters));
    }
    const ui::MenuSet& Menus() { return f.form->Menus(); }
    // Every menu component of the caption table carries its text in that language.
    void ExpectEveryCaptionIn(ui::Language language) {
        for (const ui::ComponentText& row : ui::MainWindowCaptions()) {
            if (row.component == ui::kApplicationComponent || row.component == ui::kMainFormComponent) continue;
            EXPECT_EQ(Menus().Caption(row.component), app::ToWide(row.text.In(language)))
                << app::ToWide(row.component).size() << " characters long component";
        }
        EXPECT_EQ(Caption(), app::ToWide(ui::ProductName(language)));
    }
};

}  // namespace

TEST_F(Composition, MissingLanguageStartsRussianWithItsItemChecked) {
    StartWith("");
    ExpectEveryCaptionIn(ui::Language::Russian);
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::Russian));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::English));
}

TEST_F(Composition, UnknownLanguageIsEnglishWithNeitherItemChecked) {
    StartWith("Language=5");
    ExpectEveryCaptionIn(ui::Language::English);
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::Russian));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::English));
    f.form->RussianLangMenuItemClick();
    EXPECT_EQ(f.form->Ini().ReadString(L"Parameters", L"Language"), L"1");
}

TEST_F(Composition, SwitchingRenamesEverythingAtOnceAndIsStored) {
    StartWith("Language=1");
    f.form->EnglishLangMenuItemClick();
    ExpectEveryCaptionIn(ui::Language::English);  // the hidden copy-link item included
    EXPECT_FALSE(Menus().IsVisible(u"CopyHiperlinkMenu"));
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::English));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::Russian));
    EXPECT_EQ(f.form->Ini().ReadString(L"Parameters", L"Language"), L"0");
    f.form->RussianLangMenuItemClick();
    ExpectEveryCaptionIn(ui::Language::Russian);
    EXPECT_EQ(Menus().Caption(u"EnglishLangMenuItem"), L"&English");
    EXPECT_EQ(Menus().Caption(u"ExitMenu"), L"Exit");
}

TEST_F(Composition, MessageBoxesTakeTheTitleOfTheLanguage) {
    StartWith("Language=0");
    app::ShowError(f.form->Handle(), L"first");
    f.form->RussianLangMenuItemClick();
    app::ShowError(f.form->Handle(), L"second");
    EXPECT_EQ(log.captions, (std::vector<std::wstring>{L"Tavrik", L"Таврик"}));
}

TEST_F(Composition, MenuBarHidesAndComesBackFromTheEditorMenu) {
    StartWith("");
    const HMENU bar = Menus().Main();
    EXPECT_EQ(GetMenu(f.form->Handle()), bar);
    f.form->MainMenuItemClick();
    EXPECT_EQ(GetMenu(f.form->Handle()), nullptr);
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::ShowMainMenu));
    f.form->PopupMenu1Popup();
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::ShowMenuMenu));
    f.form->ShowMenuMenuClick();
    EXPECT_EQ(GetMenu(f.form->Handle()), Menus().Main());
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::ShowMainMenu));
}

TEST_F(Composition, CommandsWithoutTheirWorkAreDisabled) {
    StartWith("");
    const auto enabled = [&](HMENU menu, ui::Cmd cmd) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(cmd), MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    };
    EXPECT_FALSE(enabled(Menus().Main(), ui::Cmd::Close));
    EXPECT_FALSE(f.form->CommandAvailable(ui::Cmd::Close));
    for (ui::Cmd cmd : {ui::Cmd::Open, ui::Cmd::Replace, ui::Cmd::Help, ui::Cmd::English})
        EXPECT_TRUE(enabled(Menus().Main(), cmd)) << static_cast<int>(cmd);
    // A command sent anyway does nothing.
    SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Close), 0);
}

TEST_F(Composition, PagesStepRoundTheRing) {
    f.WriteIni(test::IniBuilder().Page("A", "1*").Page("B", "1*").Page("C", "1*"));
    ASSERT_TRUE(f.Start());
    f.form->FormShow();
    f.form->PrevPageButtonClick();
    EXPECT_EQ(f.form->TabIndex(), 2);
    f.form->NextPageButtonClick();
    EXPECT_EQ(f.form->TabIndex(), 0);
    EXPECT_TRUE(test::Exists(f.PageFile(L"C"))) << "the page left is saved";
}

TEST_F(Composition, ToolbarLayoutSurvivesARestart) {
    StartWith("");
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"StandartToolbar"));
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    f.form->StandardToolbarMenuItemClick();
    f.form->MainMenuItemClick();
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    f.Close();  // the layout is stored as the window goes
    ASSERT_TRUE(f.Start());
    EXPECT_FALSE(f.form->Toolbars().IsVisible(u"StandartToolbar"));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"PagesToolbar"));
    EXPECT_TRUE(Menus().IsChecked(ui::Cmd::PagesToolbar));
    EXPECT_NE(Menus().Main(), nullptr);
    EXPECT_EQ(GetMenu(f.form->Handle()), nullptr) << "the hidden menu bar stays hidden";
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::ShowMainMenu));
}

TEST_F(Composition, DamagedToolbarSectionsFallBackToTheDesignedLayout) {
    StartWith("[StandartToolbar]\r\nVisible=maybe\r\nDockedTo=TBDock4\r\nDockRow=0\r\nDockPos=6\r\n"
              "[PagesToolbar]\r\nVisible=0\r\nDockedTo=Nowhere\r\nDockRow=0\r\nDockPos=6\r\n"
              "[OptionsToolbar]\r\nVisible=0\r\nDockedTo=TBDock5\r\nDockRow=0\r\nDockPos=0");
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"StandartToolbar"));
    EXPECT_TRUE(f.form->Toolbars().IsVisible(u"PagesToolbar"));
    EXPECT_FALSE(f.form->Toolbars().IsVisible(u"OptionsToolbar"));
    EXPECT_EQ(f.form->Toolbars().PlaceOf(u"OptionsToolbar").dock, u"TBDock5");
}

TEST_F(Composition, BarsMoveBetweenDocksAndFloat) {
    StartWith("");
    auto& bars = f.form->Toolbars();
    bars.MoveTo(u"PagesToolbar", u"TBDock3");
    bars.MoveTo(u"StandartToolbar", u"", POINT{200, 300});
    bars.MoveTo(u"FormatToolbar", u"TBDock2");  // its font boxes cannot stand upright: it stays
    EXPECT_EQ(bars.PlaceOf(u"PagesToolbar").dock, u"TBDock3");
    EXPECT_EQ(bars.PlaceOf(u"FormatToolbar").dock, u"TBDock5");
    const HWND floating = bars.FloatWindow(u"StandartToolbar");
    ASSERT_NE(floating, nullptr);
    EXPECT_FALSE(IsWindowVisible(floating)) << "nothing shows while the window is hidden";
    bars.ShowFloating(true);
    EXPECT_TRUE(IsWindowVisible(floating));
    // Its own close button hides it and unchecks its View item.
    SendMessageW(floating, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(floating));
    EXPECT_FALSE(bars.IsVisible(u"StandartToolbar"));
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::StandardToolbar));

    f.Close();
    ASSERT_TRUE(f.Start());
    auto& again = f.form->Toolbars();
    EXPECT_EQ(again.PlaceOf(u"PagesToolbar").dock, u"TBDock3");
    const ui::BarPlace place = again.PlaceOf(u"StandartToolbar");
    EXPECT_TRUE(place.Floating());
    EXPECT_FALSE(place.visible);
    EXPECT_EQ(place.floatLeft, 200);
    EXPECT_EQ(place.floatTop, 300);
    EXPECT_FALSE(Menus().IsChecked(ui::Cmd::StandardToolbar));
    f.form->StandardToolbarMenuItemClick();
    again.ShowFloating(true);
    EXPECT_TRUE(IsWindowVisible(again.FloatWindow(u"StandartToolbar")));
}

TEST_F(Composition, PullingABarOffItsDockFloatsIt) {
    StartWith("MainLeft=0\r\nMainTop=0\r\nMainWidth=600\r\nMainHeight=400");
    ShowWindow(f.form->Handle(), SW_SHOWNA);
    auto& bars = f.form->Toolbars();
    const HWND dock = bars.DockWindow(u"TBDock4");
    const int index = static_cast<int>(SendMessageW(dock, RB_IDTOINDEX, 3, 0));  // the pages bar
    ASSERT_GE(index, 0);
    RECT band{};
    SendMessageW(dock, RB_GETRECT, index, reinterpret_cast<LPARAM>(&band));
    RBHITTESTINFO hit{};
    hit.pt = {band.left + 3, (band.top + band.bottom) / 2};
    SendMessageW(dock, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    ASSERT_EQ(hit.flags, static_cast<UINT>(RBHT_GRABBER)) << "the grip is where the test presses";
    SendMessageW(dock, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    // Up into the middle of the page, away from every dock: the bar floats there.
    SendMessageW(dock, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, hit.pt.y - 150));
    SendMessageW(dock, WM_LBUTTONUP, 0, MAKELPARAM(300, hit.pt.y - 150));
    EXPECT_TRUE(bars.PlaceOf(u"PagesToolbar").Floating());
    EXPECT_TRUE(IsWindowVisible(bars.FloatWindow(u"PagesToolbar")));
    // Pulled to the window's left edge, it docks on the left.
    const HWND floating = bars.FloatWindow(u"PagesToolbar");
    RECT frame{};
    GetWindowRect(floating, &frame);
    SetCursorPos(8, (frame.top + frame.bottom) / 2);
    SendMessageW(floating, WM_EXITSIZEMOVE, 0, 0);
    MSG msg;
    while (PeekMessageW(&msg, floating, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(bars.PlaceOf(u"PagesToolbar").dock, u"TBDock3");
}

// The default font of new pages can be chosen back although Wine, like Windows at some DPIs,
// does not report it; the open list shows its widest name whole.
TEST_F(Composition, FontBoxListsTheInstalledFontsAndTheDefaultWhenFirstOpenedWideEnoughForThem) {
    StartWith("");
    const HWND box = f.form->Toolbars().FontBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 0) << "listing fonts is left until needed";
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_DROPDOWN), reinterpret_cast<LPARAM>(box));
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    EXPECT_GT(count, 1);
    EXPECT_NE(SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"MS Sans Serif")),
              CB_ERR);
    // Each name is drawn in its own face, a little lower than its row.
    const int rowHeight = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
    HDC dc = GetDC(box);
    LONG widest = 0;
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t face[LF_FACESIZE + 1] = {};
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(face));
        EXPECT_NE(face[0], L'@') << "vertical faces are left out";
        HFONT font = CreateFontW(-(rowHeight - 4), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        const HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, face, static_cast<int>(wcslen(face)), &size);
        widest = std::max(widest, size.cx);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    ReleaseDC(box, dc);
    const LRESULT dropped = SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0);
    EXPECT_GE(dropped, widest + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_LE(dropped, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(Composition, EditorMenuFollowsTheWindowsState) {
    StartWith("");
    for (std::u16string_view item : {u"CopyMenu", u"PasteMenu", u"FindMenu", u"HideMenu", u"ShowMenuMenu"})
        EXPECT_FALSE(Menus().IsVisible(item));
    EXPECT_TRUE(Menus().IsVisible(u"ShowMenu"));
    EXPECT_TRUE(Menus().IsVisible(u"ExitMenu"));
    f.form->ShowMenuClick();
    for (std::u16string_view item : {u"CopyMenu", u"PasteMenu", u"FindMenu", u"HideMenu", u"ShowMenuMenu"})
        EXPECT_TRUE(Menus().IsVisible(item));
    EXPECT_FALSE(Menus().IsVisible(u"ShowMenu"));
    EXPECT_FALSE(Menus().IsVisible(u"ExitMenu"));
    f.form->HideMenuClick();
    EXPECT_TRUE(Menus().IsVisible(u"ShowMenu"));
    EXPECT_FALSE(Menus().IsVisible(u"HideMenu"));
}

TEST_F(Composition, ANewDpiKeepsTheLayout) {
    StartWith("MainLeft=0\r\nMainTop=0\r\nMainWidth=600\r\nMainHeight=400");
    auto& bars = f.form->Toolbars();
    bars.MoveTo(u"OptionsToolbar", u"", POINT{50, 60});
    const ui::BarPlace pages = bars.PlaceOf(u"PagesToolbar");
    RECT suggested{0, 0, 900, 600};
    SendMessageW(f.form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(bars.PlaceOf(u"PagesToolbar").dock, pages.dock);
    EXPECT_EQ(bars.PlaceOf(u"PagesToolbar").row, pages.row);
    EXPECT_TRUE(bars.PlaceOf(u"OptionsToolbar").Floating());
    EXPECT_EQ(bars.PlaceOf(u"OptionsToolbar").floatLeft, 50);
    EXPECT_NE(bars.FloatWindow(u"OptionsToolbar"), nullptr);
}
