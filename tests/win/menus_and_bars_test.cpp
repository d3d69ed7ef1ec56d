// The editor's menu as it opens, the bottom dock's rows, the chevron's hint and the skin's colours.
#include <gtest/gtest.h>

#include "app/text.h"
#include "test_folder.h"
#include "ui/commands.h"
#include "ui/language_tables.h"
#include "ui/commands.h"
#include "ui/language_tables.h"

#include <commctrl.h>
#include <richedit.h>

using namespace tavrik;

namespace {

class MenusAndBars : public test::FormTest {
protected:
    void StartWith(std::string_view parameters) {
        StartForm(test::IniBuilder().Parameters(parameters));
    }
};

// What a look at the menu on screen found, from inside the system's menu loop.
struct MenuOnScreen {
    bool looked = false;
    bool shown = false;
    bool whole = false;  // still a menu while the system tracks it
    UINT firstId = 0;
};
MenuOnScreen g_menu;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_menu.looked = true;
    for (HWND window = FindWindowW(L"#32768", nullptr); window; window = FindWindowExW(nullptr, window, L"#32768", nullptr)) {
        if (!IsWindowVisible(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) continue;
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        g_menu.shown = true;
        g_menu.whole = IsMenu(menu) != FALSE;
        g_menu.firstId = g_menu.whole ? GetMenuItemID(menu, 0) : 0;
    }
    EndMenu();
}

// Separators of a menu, in order: true for a separator, false for anything else.
std::vector<bool> Separators(HMENU menu) {
    std::vector<bool> kinds;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        kinds.push_back((info.fType & MFT_SEPARATOR) != 0);
    }
    return kinds;
}

void ExpectNoStraySeparators(HMENU menu, const char* when) {
    const std::vector<bool> kinds = Separators(menu);
    ASSERT_FALSE(kinds.empty()) << when;
    EXPECT_FALSE(kinds.front()) << when << ": a separator at the top";
    EXPECT_FALSE(kinds.back()) << when << ": a separator at the bottom";
    for (size_t i = 1; i < kinds.size(); ++i) EXPECT_FALSE(kinds[i] && kinds[i - 1]) << when << ": two in a row at " << i;
}

// The dock's own tooltip: the one whose tool is the dock.
struct ToolSearch {
    HWND dock;
    TTTOOLINFOW tool{};
    wchar_t text[80] = {};
    bool found = false;
};

BOOL CALLBACK FindToolOf(HWND hwnd, LPARAM data) {
    auto& search = *reinterpret_cast<ToolSearch*>(data);
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    search.tool = {};
    search.tool.cbSize = sizeof search.tool;
    search.tool.lpszText = search.text;
    search.found = lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 &&
                   SendMessageW(hwnd, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&search.tool)) &&
                   search.tool.hwnd == search.dock;
    return search.found ? FALSE : TRUE;
}

// Walks a built menu beside the table it was built from; each caption is compared without the
// shortcut shown after the tab.
void ExpectCaptionsOf(HMENU menu, std::span<const ui::MenuItem> items, size_t& at, ui::Language language) {
    for (UINT position = 0; at < items.size(); ++position) {
        const ui::MenuItem& def = items[at++];
        if (def.kind == ui::ItemKind::SubmenuEnd) return;
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 128;
        ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << std::string(def.name.begin(), def.name.end());
        if (const auto caption = ui::FindCaption(def.name, language)) {
            const std::wstring shown(text);
            EXPECT_EQ(shown.substr(0, shown.find(L'\t')), app::ToWide(*caption));
        }
        if (def.kind == ui::ItemKind::SubmenuBegin) ExpectCaptionsOf(info.hSubMenu, items, at, language);
    }
}

}  // namespace

// The menus as Windows holds them, read back in each language against the tables.
TEST_F(MenusAndBars, EveryMenuCaptionReadsAsTheTableInBothLanguages) {
    StartWith("Language=0");
    for (const ui::Language language : {ui::Language::English, ui::Language::Russian}) {
        SCOPED_TRACE(static_cast<int>(language));
        if (language == ui::Language::Russian) Form().RussianLangMenuItemClick();
        size_t at = 0;
        ExpectCaptionsOf(Form().Menus().Main(), ui::MainMenuItems(), at, language);
        at = 0;
        ExpectCaptionsOf(Form().Menus().Tab(), ui::TabMenuItems(), at, language);
    }
}

TEST_F(MenusAndBars, RightClickOnALinkOpensTheMenuWithCopyLinkAndCopiesIt) {
    f.WriteIni(test::IniBuilder().Page("A"));
    ASSERT_TRUE(f.Start());
    f.form->FormShow();
    const HWND editor = f.form->Editor(0);
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"http://example.com/x and more"));
    ENLINK link{};
    link.nmhdr = {editor, static_cast<UINT_PTR>(GetDlgCtrlID(editor)), static_cast<UINT>(EN_LINK)};
    link.msg = WM_RBUTTONDOWN;
    link.chrg = {0, 20};
    SendMessageW(f.form->Handle(), WM_NOTIFY, link.nmhdr.idFrom, reinterpret_cast<LPARAM>(&link));

    g_menu = {};
    SetTimer(nullptr, 0, 300, LookAtMenu);
    f.form->RichEditMouseUp(editor, {200, 200});  // returns when the menu has closed
    for (int i = 0; i < 50 && !g_menu.looked; ++i) {  // a menu that never opened leaves the timer waiting
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
    EXPECT_TRUE(g_menu.shown) << "no menu opened";
    EXPECT_TRUE(g_menu.whole) << "the menu was destroyed while the system tracked it";
    EXPECT_EQ(g_menu.firstId, static_cast<UINT>(ui::Cmd::CopyHyperlink));
    EXPECT_TRUE(f.form->Menus().IsVisible(u"CopyHiperlinkMenu")) << "the offer lasts until the next opening";
}

TEST_F(MenusAndBars, EditorAndTrayMenuShowNoStraySeparators) {
    StartWith("");
    const HMENU menu = f.form->Menus().Editor();
    f.form->PopupMenu1Popup();  // as the tray icon opens it, with nothing selected
    ExpectNoStraySeparators(menu, "hidden window");
    EXPECT_EQ(Separators(menu), (std::vector<bool>{false, false, true, false}));  // Catch, Show, Exit
    f.form->ShowMenuClick();
    f.form->PopupMenu1Popup();  // no selection: Font is left out
    ExpectNoStraySeparators(menu, "shown window");
    EXPECT_EQ(f.form->Menus().Editor(), menu) << "the menu keeps its handle";
}

TEST_F(MenusAndBars, BottomDockHoldsItsThreeBarsOnOneRow) {
    StartWith("MainLeft=0\r\nMainTop=0\r\nMainWidth=600\r\nMainHeight=400");
    ShowWindow(f.form->Handle(), SW_SHOWNA);
    const HWND dock = f.form->Toolbars().DockWindow(u"TBDock4");
    EXPECT_EQ(SendMessageW(dock, RB_GETBANDCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(dock, RB_GETROWCOUNT, 0, 0), 1);
    RECT rc{};
    GetWindowRect(dock, &rc);
    EXPECT_EQ(rc.bottom - rc.top, 26) << "as designed at 100 %";
    // Narrower and wider again: the bars come back to one row.
    SetWindowPos(f.form->Handle(), nullptr, 0, 0, 150, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(f.form->Handle(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(SendMessageW(dock, RB_GETROWCOUNT, 0, 0), 1);
    GetWindowRect(dock, &rc);
    EXPECT_EQ(rc.bottom - rc.top, 26);
}

TEST_F(MenusAndBars, ChevronOfABarShortOfRoomHintsAtTheRestOfItsButtons) {
    StartWith("MainLeft=0\r\nMainTop=0\r\nMainWidth=200\r\nMainHeight=400");
    ShowWindow(f.form->Handle(), SW_SHOWNA);
    const HWND dock = f.form->Toolbars().DockWindow(u"TBDock4");
    RECT band{};
    SendMessageW(dock, RB_GETRECT, 0, reinterpret_cast<LPARAM>(&band));
    // The chevron stands at the right end of the standard bar, which has no room for its buttons.
    RBHITTESTINFO hit{};
    for (int x = band.right - 1; x > band.left && hit.flags != RBHT_CHEVRON; --x) {
        hit.pt = {x, (band.top + band.bottom) / 2};
        SendMessageW(dock, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    }
    ASSERT_EQ(hit.flags, static_cast<UINT>(RBHT_CHEVRON)) << "no chevron on a bar short of room";
    // Each window the main window owns costs every hide; the hint's comes when first needed.
    ToolSearch search{dock};
    for (const HWND other : {dock, f.form->Toolbars().DockWindow(u"TBDock1")}) {
        SendMessageW(other, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        search.dock = other;
        EnumThreadWindows(GetCurrentThreadId(), FindToolOf, reinterpret_cast<LPARAM>(&search));
        EXPECT_FALSE(search.found) << "a dock's tooltip made before the mouse came onto its chevron";
    }
    SendMessageW(dock, WM_MOUSEMOVE, 0, MAKELPARAM(hit.pt.x, hit.pt.y));

    search.dock = dock;
    EnumThreadWindows(GetCurrentThreadId(), FindToolOf, reinterpret_cast<LPARAM>(&search));
    ASSERT_TRUE(search.found) << "the dock has no tooltip";
    EXPECT_STREQ(search.text, L"Остальные кнопки") << "the same in both languages";
    EXPECT_TRUE(PtInRect(&search.tool.rect, hit.pt)) << "the hint is not where the chevron is";
}

namespace {

// A menu item or a bar drawn into a bitmap of its own, then read back pixel by pixel.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    RECT Rect() const { return {0, 0, width_, height_}; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

testing::AssertionResult Near(COLORREF got, COLORREF want, int by) {
    const auto off = [](int a, int b) { return a > b ? a - b : b - a; };
    if (off(GetRValue(got), GetRValue(want)) <= by && off(GetGValue(got), GetGValue(want)) <= by &&
        off(GetBValue(got), GetBValue(want)) <= by)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "RGB(" << int(GetRValue(got)) << ", " << int(GetGValue(got)) << ", "
                                       << int(GetBValue(got)) << ")";
}

COLORREF MenuItemBackground(UINT state, bool checked) {
    Canvas canvas(200, 24);
    ui::Skin skin;
    skin.SetStyle(2);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemState = state;
    draw.hDC = canvas.Dc();
    draw.rcItem = canvas.Rect();
    skin.DrawMenuItem(draw, {L"", L"", -1, false, false, checked, false});
    return canvas.At(150, 12);  // right of the image column, where no text is
}

COLORREF ButtonBackground(UINT state) {
    Canvas canvas(24, 24);
    ui::Skin skin;
    skin.SetStyle(2);
    NMTBCUSTOMDRAW draw{};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.uItemState = state;
    draw.nmcd.hdc = canvas.Dc();
    draw.nmcd.rc = canvas.Rect();
    skin.ToolbarCustomDraw(draw);
    return canvas.At(12, 12);
}

}  // namespace

TEST(Skin, DrawsInTheDesignedColoursNotTintsOfThem) {
    EXPECT_TRUE(Near(MenuItemBackground(ODS_SELECTED, false), RGB(75, 125, 204), 0)) << "selected item";
    EXPECT_TRUE(Near(MenuItemBackground(ODS_SELECTED, true), RGB(55, 105, 184), 0)) << "checked and hot";
    // Drawn outside a menu window the item stands at the top of the popup's gradient.
    EXPECT_TRUE(Near(MenuItemBackground(0, false), RGB(147, 177, 224), 0)) << "popup gradient";
    EXPECT_TRUE(Near(ButtonBackground(CDIS_HOT), RGB(75, 125, 204), 0)) << "hot button";
    EXPECT_TRUE(Near(ButtonBackground(CDIS_HOT | CDIS_CHECKED), RGB(55, 105, 184), 0)) << "checked and hot button";

    Canvas bar(100, 26);
    ui::Skin skin;
    skin.SetStyle(2);
    skin.PaintBarBackground(bar.Dc(), bar.Rect(), false);
    EXPECT_TRUE(Near(bar.At(50, 0), RGB(201, 216, 239), 0)) << "top of the toolbar gradient";
    EXPECT_TRUE(Near(bar.At(50, 25), RGB(75, 125, 204), 6)) << "bottom of the toolbar gradient";
}
