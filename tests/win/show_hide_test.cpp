// Showing and hiding, the tray icon, the hot key, the application-wide keys, and closing.
#include <gtest/gtest.h>

#include "app/messages.h"
#include "editor/page_editor.h"
#include "dialog_driver.h"
#include "test_folder.h"
#include "window/tray_icon.h"

#include <richedit.h>

#include <algorithm>

using namespace tavrik;

namespace {

using Texts = std::vector<std::wstring>;

// Messages of the window thread for a while: timers fire, posted messages arrive.
void Pump(DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    while (static_cast<int>(until - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // left by a window destroyed earlier
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

std::optional<BYTE> Alpha(HWND window) {
    if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return std::nullopt;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return std::nullopt;
    return alpha;
}

// Keys as the keyboard state has them when the message arrives.
void HoldModifiers(bool ctrl, bool shift, bool alt = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
}

class ShowHide : public test::FormTest {
protected:
    void Start(std::string_view parameters,
               std::string_view pages = "A=16777215*Arial*0*10*0*0*1*\r\nB=16777215*Arial*0*10*0*0*1*\r\n") {
        test::IniBuilder ini;
        if (parameters.find("Language=") == parameters.npos) ini.Parameter("Language", 0);
        StartForm(ini.Parameters(parameters).Pages(pages));
    }
    // A key as the message loop would see it before the focused control.
    bool Key(UINT vk, bool ctrl = false, bool shift = false, bool alt = false) {
        HoldModifiers(ctrl, shift, alt);
        MSG msg{GetFocus(), WM_KEYDOWN, vk, 0, static_cast<DWORD>(GetMessageTime()), {}};
        const bool used = Form().PreTranslate(msg);
        HoldModifiers(false, false);
        return used;
    }
    void TearDown() override { HoldModifiers(false, false); }
};

}  // namespace

TEST_F(ShowHide, StartsHiddenAndComesUpInFrontWithItsPage) {
    Start("NoTransparency=1");
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(Form().WindowShown);
    EXPECT_FALSE(Form().KeysEnabled());
    Form().wmHotKey();
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_EQ(GetForegroundWindow(), Window());
    EXPECT_EQ(GetFocus(), Form().Editor(Form().TabIndex()));
    EXPECT_TRUE(Form().WindowShown);
    EXPECT_TRUE(Form().KeysEnabled());
    EXPECT_FALSE(Alpha(Window())) << "without translucency the window is never layered";
    Form().wmHotKey();
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(Form().WindowShown);
    EXPECT_FALSE(Form().KeysEnabled());
}

TEST_F(ShowHide, FadeEndsAtTheShownAlphaAndHidingLeavesItAtZero) {
    Start("NoTransparency=0\r\nShowCool=1\r\nMaxTransparency=255\r\nFadeSpeed=99");
    EXPECT_EQ(Alpha(Window()), 255) << "translucency is set before the first show";
    Form().ShowMenuClick();
    EXPECT_EQ(Alpha(Window()), 255);
    Form().HideMenuClick();
    EXPECT_EQ(Alpha(Window()), 0) << "the window stays layered at 0 while hidden";
    f.Close();

    Start("NoTransparency=0\r\nShowCool=0\r\nMaxTransparency=200");
    Form().ShowMenuClick();
    EXPECT_EQ(Alpha(Window()), 200);
    Form().HideMenuClick();
    EXPECT_EQ(Alpha(Window()), 200) << "no fade: the alpha is left as it was";
    f.Close();

    // What only an edited file can hold: the loops end and the alpha stays a byte.
    Start("NoTransparency=0\r\nShowCool=1\r\nMaxTransparency=9999\r\nFadeSpeed=-5");
    Form().ShowMenuClick();
    EXPECT_EQ(Alpha(Window()), 255);
    Form().HideMenuClick();
    EXPECT_EQ(Alpha(Window()), 0);
}

// The alphas as the window has them after each step of a fade, read back from the system: from
// one end to the other, in order, through some between.
TEST_F(ShowHide, DefaultFadePassesThroughAlphasInOrderAndEndsTypable) {
    Start("NoTransparency=0");  // a fade, MaxTransparency and FadeSpeed as default
    std::vector<int> seen;
    Form().FadeStepSet = [&](int) { seen.push_back(Alpha(Window()).value_or(-1)); };
    for (const auto& [from, to] : {std::pair{0, 255}, std::pair{255, 0}}) {
        seen.clear();
        Form().wmHotKey();
        ASSERT_GE(seen.size(), 5u) << from;
        EXPECT_EQ(seen.front(), from);
        EXPECT_EQ(seen.back(), to);
        EXPECT_TRUE(from < to ? std::is_sorted(seen.begin(), seen.end()) : std::is_sorted(seen.rbegin(), seen.rend()));
        EXPECT_GT(std::count_if(seen.begin(), seen.end(), [](int a) { return a > 0 && a < 255; }), 2) << from;
    }
    Form().wmHotKey();
    EXPECT_EQ(Alpha(Window()), 255);
    EXPECT_EQ(GetForegroundWindow(), Window());
    EXPECT_EQ(GetFocus(), Form().Editor(Form().TabIndex()));
}

TEST_F(ShowHide, HidingSavesTheCurrentPageOnly) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    Type(0, L"first ");
    Form().SwitchToPage(1);
    Type(0, L"changed again, not saved by the hide ");
    Type(1, L"second ");
    Form().HideMenuClick();
    EXPECT_NE(test::ReadBytes(f.PageFile(L"B")).find("second"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"A")).find("changed again"), std::string::npos);
}

TEST_F(ShowHide, AutoHideFiresOnceAfterTheTimeoutAndActivationStopsIt) {
    Start("NoTransparency=1\r\nAutoHide=1\r\nHideTimeout=0");
    Form().ShowMenuClick();
    SendMessageW(Window(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(Form().HideTimerActive);
    SendMessageW(Window(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_FALSE(Form().HideTimerActive);
    Pump(400);
    EXPECT_TRUE(IsWindowVisible(Window())) << "activated again in time: it stays up";

    SendMessageW(Window(), WM_ACTIVATEAPP, FALSE, 0);
    Pump(400);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(Form().HideTimerActive);
    SendMessageW(Window(), WM_ACTIVATEAPP, FALSE, 0);  // hidden: nothing is waiting to hide
    EXPECT_FALSE(Form().HideTimerActive);

    Form().ShowMenuClick();
    SendMessageW(Window(), WM_ACTIVATEAPP, FALSE, 0);
    Form().HideMenuClick();  // the hide discards the timer: no second hide follows
    EXPECT_FALSE(Form().HideTimerActive);
    Form().ShowMenuClick();
    Pump(400);
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(ShowHide, HotKeyIsIgnoredUntilReady) {
    Start("NoTransparency=1");
    Form().HotKeyReady = false;
    SendMessageW(Window(), WM_HOTKEY, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    Form().HotKeyReady = true;
    SendMessageW(Window(), WM_HOTKEY, 0, 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
}

namespace {

// Another program's hold on a key combination.
struct ForeignHotKey {
    explicit ForeignHotKey(UINT modifiers, UINT vk)
        : window(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        held = RegisterHotKey(window, 7, modifiers, vk) != FALSE;
    }
    ~ForeignHotKey() {
        UnregisterHotKey(window, 7);
        DestroyWindow(window);
    }
    HWND window = nullptr;
    bool held = false;
};

}  // namespace

TEST_F(ShowHide, HotKeyTakenAtStartIsReportedInBothLanguages) {
    ForeignHotKey other(MOD_CONTROL | MOD_SHIFT, 'Q');
    ASSERT_TRUE(other.held);
    Start("HotKey=" + std::to_string(0x4000 + 0x2000 + 0x51));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], L"The hotkey combination is in use by another application.\rКлавиша уже занята другой программой.");
    EXPECT_EQ(log.captions[0], L"Hotkey combination error");
    EXPECT_EQ(log.flags[0] & MB_ICONINFORMATION, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_TRUE(Form().HotKeyReady);
}

TEST_F(ShowHide, UseNowRegistersStoresAndReportsOnce) {
    Start("HotKey=145");
    int control = 0x4000 + 0x2000 + 'N';
    Form().SetNewHotKey(1, control);
    Form().SetNewHotKey(2, control);
    EXPECT_EQ(log.texts, Texts{L"HotKey is set."});
    EXPECT_EQ(log.captions, Texts{L"Succesfull"});
    EXPECT_EQ(Form().params.HotKey, 0x604E);
    EXPECT_EQ(Form().Ini().ReadInteger(L"Parameters", L"HotKey", 0), 0x604E);
    ForeignHotKey probe(MOD_CONTROL | MOD_SHIFT, 'N');
    EXPECT_FALSE(probe.held) << "the window holds Ctrl+Shift+N now";
    EXPECT_TRUE(Form().HotKeyReady);

    log.texts.clear();
    Form().SetNewHotKey(1, control);  // the combination in force: released and taken again
    Form().SetNewHotKey(2, control);
    EXPECT_EQ(log.texts, Texts{L"HotKey is set."});
}

TEST_F(ShowHide, UseNowWithATakenKeyResetsTheControlAndKeepsTheOldHotKey) {
    Start("HotKey=145\r\nLanguage=1");
    ForeignHotKey other(MOD_ALT, 'K');
    ASSERT_TRUE(other.held);
    int control = 0x8000 + 'K';
    Form().SetNewHotKey(1, control);
    EXPECT_TRUE(log.texts.empty()) << "the quiet pass";
    EXPECT_FALSE(ForeignHotKey(0, VK_SCROLL).held) << "the old key is taken back at once";
    Form().SetNewHotKey(2, control);
    EXPECT_EQ(log.texts, Texts{L"Клавиша уже занята другой программой."});
    EXPECT_EQ(log.captions, Texts{L"Ошибка комбинации горячей клавиши"});
    EXPECT_EQ(control, 145) << "the control shows the stored key again";
    EXPECT_EQ(Form().params.HotKey, 145);
    EXPECT_EQ(Form().Ini().ReadInteger(L"Parameters", L"HotKey", 0), 145);
    ForeignHotKey scrollLock(0, VK_SCROLL);
    EXPECT_FALSE(scrollLock.held) << "Scroll Lock is still the program's";
}

TEST_F(ShowHide, ShortcutsActOnlyWithTheirExactModifiers) {
    Start("NoTransparency=1", "A=1*\r\nB=1*\r\nC=1*\r\n");
    Form().ShowMenuClick();
    EXPECT_TRUE(Key(VK_TAB, true));
    EXPECT_EQ(Form().TabIndex(), 1);
    EXPECT_TRUE(Key(VK_NEXT, true));
    EXPECT_EQ(Form().TabIndex(), 2);
    EXPECT_TRUE(Key(VK_TAB, true, true));
    EXPECT_EQ(Form().TabIndex(), 1);
    EXPECT_TRUE(Key(VK_PRIOR, true));
    EXPECT_EQ(Form().TabIndex(), 0);
    EXPECT_FALSE(Key(VK_TAB, true, false, true)) << "Ctrl+Alt+Tab is not ours";
    EXPECT_FALSE(Key(VK_TAB)) << "Tab alone types a tab";
    EXPECT_FALSE(Key(VK_ESCAPE, false, true));
    EXPECT_FALSE(Key(VK_ESCAPE, true));
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_TRUE(Key(VK_ESCAPE));
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(Key(VK_TAB, true)) << "hidden: the keys are off";
}

TEST_F(ShowHide, StyleKeysToggleTheButtonsAndTheSelection) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    const HWND editor = Form().Editor(0);
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"some words"));
    CHARRANGE range{0, 4};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    Form().SelectionChange();
    const auto bold = [&] {
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
    };
    EXPECT_TRUE(Key('B', true));
    EXPECT_TRUE(bold());
    EXPECT_TRUE(Form().Toolbars().IsChecked(ui::Cmd::Bold));
    EXPECT_TRUE(Key('B', true));
    EXPECT_FALSE(bold());
    EXPECT_FALSE(Form().Toolbars().IsChecked(ui::Cmd::Bold));
    EXPECT_TRUE(Key('U', true));
    EXPECT_TRUE(Form().Toolbars().IsChecked(ui::Cmd::Underline));
    EXPECT_FALSE(Form().Toolbars().IsChecked(ui::Cmd::Italic));
}

TEST_F(ShowHide, EnterIndentsLikeTheParagraphLeftOfTheCaret) {
    Start("NoTransparency=1\r\nAutoTab=1");
    Form().ShowMenuClick();
    const HWND editor = Form().Editor(0);
    SetFocus(editor);
    const auto typeAt = [&](const wchar_t* text, int caret) {
        SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        CHARRANGE range{caret, caret};
        SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        EXPECT_TRUE(Key(VK_RETURN));
        CHARRANGE after{};
        SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
        return std::pair{editor::GetText(editor), static_cast<int>(after.cpMin)};
    };
    EXPECT_EQ(typeAt(L"\t text", 6), (std::pair{std::wstring(L"\t text\r\n\t "), 9}));
    EXPECT_EQ(typeAt(L"x\r  \tdeep", 9), (std::pair{std::wstring(L"x\r\n  \tdeep\r\n  \t"), 13}));
    EXPECT_EQ(typeAt(L"    four", 2), (std::pair{std::wstring(L"  \r\n    four"), 5})) << "only the blanks left of the caret";
    EXPECT_EQ(typeAt(L"plain", 0), (std::pair{std::wstring(L"\r\nplain"), 1}));

    // A paragraph wrapped over several lines keeps the indent of its first line.
    MoveWindow(Window(), 0, 0, 300, 300, TRUE);
    std::wstring longParagraph = L"\t";
    for (int i = 0; i < 40; ++i) longParagraph += L"word ";
    const auto [text, caret] = typeAt(longParagraph.c_str(), static_cast<int>(longParagraph.size()));
    EXPECT_GT(SendMessageW(editor, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(text.substr(text.size() - 3), L"\r\n\t");

    const std::wstring before = editor::GetText(editor);
    SetFocus(Form().Toolbars().SizeBox());
    EXPECT_TRUE(Key(VK_RETURN)) << "Enter in the size box hands the keyboard back to the page";
    EXPECT_EQ(editor::GetText(editor), before) << "and adds no line";
    Form().params.AutoTab = false;
    SetFocus(editor);
    EXPECT_FALSE(Key(VK_RETURN));
}

TEST_F(ShowHide, CtrlYDeletesTheCaretsParagraphAndCtrlDStampsTheTime) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    const HWND editor = Form().Editor(0);
    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"one\rtwo\rthree"));
    CHARRANGE range{5, 5};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_TRUE(Key('Y', true));
    EXPECT_EQ(editor::GetText(editor), L"one\r\nthree");
    range = {9, 9};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_TRUE(Key('Y', true));
    EXPECT_EQ(editor::GetText(editor), L"one\r\n") << "the last paragraph has no break of its own";

    SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"beforeafter"));
    range = {6, 6};
    SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_TRUE(Key('D', true));
    wchar_t date[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 64);
    const std::wstring text = editor::GetText(editor);
    EXPECT_EQ(text.substr(0, 6 + wcslen(date) + 1), std::wstring(L"before") + date + L" ");
    EXPECT_EQ(text.substr(text.size() - 7), L"\r\nafter") << "the stamp ends its paragraph";
}

TEST_F(ShowHide, F4MaximisesAndRestoresButLeavesAMinimisedWindow) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    EXPECT_TRUE(Key(VK_F4));
    EXPECT_TRUE(IsZoomed(Window()));
    EXPECT_TRUE(Key(VK_F4));
    EXPECT_FALSE(IsZoomed(Window()));
    ShowWindow(Window(), SW_MINIMIZE);
    EXPECT_TRUE(Key(VK_F4));
    EXPECT_TRUE(IsIconic(Window()));
}

TEST_F(ShowHide, CloseWithCloseAsMinimizeOnlyHidesAndWritesTheCurrentPage) {
    Start("NoTransparency=1\r\nCloseAsMinimize=1");
    Form().ShowMenuClick();
    Type(0, L"left earlier ");
    Form().SwitchToPage(1);
    Type(0, L"not written by the close ");
    Type(1, L"current ");
    DeleteFileW(f.Ini().c_str());
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(Window()));
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_NE(test::ReadBytes(f.PageFile(L"B")).find("current"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(f.PageFile(L"A")).find("not written"), std::string::npos);
    EXPECT_FALSE(test::Exists(f.Ini())) << "nothing else is written";

    // Exit from the tray menu while hidden: everything, and the window goes.
    Form().CloseMenuClick();
    EXPECT_EQ(Form().Handle(), nullptr);
    EXPECT_NE(test::ReadBytes(f.PageFile(L"A")).find("not written by the close"), std::string::npos);
    EXPECT_EQ(test::ReadIniText(f.Ini()).find(L"StartPage=1") != std::wstring::npos, true);
}

TEST_F(ShowHide, EndOfSessionSavesEverythingWhileHidden) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    Type(0, L"typed on A ");
    Form().SwitchToPage(1);
    Type(1, L"typed on B ");
    Form().HideMenuClick();
    Type(0, L"caught while hidden ");
    EXPECT_EQ(SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_NE(test::ReadBytes(f.PageFile(L"A")).find("caught while hidden"), std::string::npos);
    EXPECT_NE(test::ReadBytes(f.PageFile(L"B")).find("typed on B"), std::string::npos);
    ASSERT_NE(Form().Handle(), nullptr) << "another program may still cancel the end of the session";
    SendMessageW(Window(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(Form().Handle(), nullptr) << "the program ends with the session";
}

TEST_F(ShowHide, CancelledLogOffKeepsTheProgramRunning) {
    Start("NoTransparency=1\r\nCloseAsMinimize=1");
    Form().ShowMenuClick();
    EXPECT_EQ(SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(Window(), WM_ENDSESSION, FALSE, 0);
    ASSERT_NE(Form().Handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Window()));
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    ASSERT_NE(Form().Handle(), nullptr) << "a close only hides again, as before the query";
    EXPECT_FALSE(IsWindowVisible(Window()));
}

// While the box of a failed save is open, the tray menu, a close or the end of the session must not
// start another save inside it; after the failed Exit the window is still known to be up.
TEST_F(ShowHide, NothingStartsWhileAFailedExitsBoxIsOpen) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    Type(0, L"precious ");
    const std::wstring folder = app::ToWide(Form().params.SaveTo);
    Form().params.SaveTo = app::ToU16(folder + L"gone\\");
    LRESULT sessionAnswer = TRUE;
    log.whileOpen = [&] {
        log.whileOpen = nullptr;
        SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Exit), 0);
        SendMessageW(Window(), WM_CLOSE, 0, 0);
        SendMessageW(Window(), WM_HOTKEY, 0, 0);
        sessionAnswer = SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0);
    };
    SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Exit), 0);
    EXPECT_EQ(log.texts.size(), 1u) << "one save, one box";
    EXPECT_EQ(sessionAnswer, FALSE);
    EXPECT_TRUE(test::Exists(f.UserFolder() + L"Rescue\\A.tvk")) << "rescued, should the user end the session anyway";
    ASSERT_NE(Form().Handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_TRUE(Form().WindowShown);
    Form().params.SaveTo = app::ToU16(folder);
    SendMessageW(Window(), WM_HOTKEY, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window())) << "the hot key hides the window that is up";
    log.texts.clear();
}

// A box of the hidden program is never lost behind other windows, and the hot key brings it to the
// front instead of only beeping.
TEST_F(ShowHide, ABoxWhileHiddenStaysOnTopAndTheHotKeyBringsItForward) {
    Start("NoTransparency=1");
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    app::SetMessageSink(nullptr);  // a real box
    HWND box = nullptr, owner = other, foreground = nullptr;
    bool topmost = false, windowCameUp = true;
    {
        const test::DialogDriver drive(
            [&](HWND shown) {
                box = shown;
                owner = GetWindow(box, GW_OWNER);
                topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                SetForegroundWindow(other);
                SendMessageW(Window(), WM_HOTKEY, 0, 0);
                foreground = GetForegroundWindow();
                windowCameUp = IsWindowVisible(Window()) != FALSE;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            },
            100);
        Form().Alone([&] { app::ShowError(Window(), L"Something to answer"); });
    }
    DestroyWindow(other);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(owner, nullptr) << "a hidden window owns no box";
    EXPECT_TRUE(topmost);
    EXPECT_EQ(foreground, box);
    EXPECT_FALSE(windowCameUp) << "the hot key started nothing under the box";
}

TEST_F(ShowHide, FailedSavesKeepTheProgramUpAndALaterCloseSavesAll) {
    Start("NoTransparency=1");
    Form().ShowMenuClick();
    Type(0, L"precious ");
    const std::wstring folder = app::ToWide(Form().params.SaveTo);
    Form().params.SaveTo = app::ToU16(folder + L"gone\\");
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_NE(log.texts[0].find(L"Cannot create file"), std::wstring::npos);
    ASSERT_NE(Form().Handle(), nullptr) << "the program stays";
    // The session may end: what could not be saved waits in the rescue folder.
    EXPECT_EQ(SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(log.texts.size(), 1u) << "no box while Windows ends the session";
    EXPECT_TRUE(test::Exists(f.UserFolder() + L"Rescue\\A.tvk"));
    SendMessageW(Window(), WM_ENDSESSION, FALSE, 0);  // another program cancelled it
    ASSERT_NE(Form().Handle(), nullptr);

    Form().params.SaveTo = app::ToU16(folder);
    Form().Ini().EraseSection(L"Pages");
    SendMessageW(Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form().Handle(), nullptr);
    EXPECT_NE(test::ReadBytes(f.PageFile(L"A")).find("precious"), std::string::npos);
    EXPECT_FALSE(test::Exists(f.UserFolder() + L"Rescue\\A.tvk")) << "in its file at last: nothing to offer";
    const std::wstring ini = test::ReadIniText(f.Ini());
    EXPECT_NE(ini.find(L"A=16777215*Arial*0*10*0*"), std::wstring::npos) << "the page list written again";
    EXPECT_NE(ini.find(L"MainWidth="), std::wstring::npos);
}

TEST_F(ShowHide, TrayIconTogglesOnALeftClickAndComesBackWithExplorer) {
    f.trayIcon = true;
    Start("NoTransparency=1");
    EXPECT_FALSE(Form().Tray().Shown()) << "not during start-up";
    // Wine's shell may still be starting in a new prefix on a busy machine: give it a while.
    for (int i = 0; i < 100 && !Form().Tray().Shown(); ++i) Pump(50);
    ASSERT_TRUE(Form().Tray().Shown()) << "when the program is first idle";
    SendMessageW(Window(), app::kMsgTrayIcon, 0, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(Window()));
    SendMessageW(Window(), app::kMsgTrayIcon, 0, WM_MBUTTONUP);
    SendMessageW(Window(), app::kMsgTrayIcon, 0, WM_RBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(Window())) << "only the left button toggles";
    SendMessageW(Window(), app::kMsgTrayIcon, 0, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(Window()));
    SendMessageW(Window(), window::TaskbarCreatedMsg(), 0, 0);
    EXPECT_TRUE(Form().Tray().Shown());

    // The menu's Show and Hide, and Enter on the icon.
    SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::ShowTavrik), 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
    SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::HideTavrik), 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    SendMessageW(Window(), app::kMsgTrayIcon, 0, NIN_KEYSELECT);
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(ShowHide, ThePageKeepsRoomForSomeLinesWhateverTheStoredSize) {
    Start("NoTransparency=1");  // the stored default, 418 x 143, is all bars
    (void)Form().TabControl();
    EXPECT_GE(Form().PageHeight(), 48);
    RECT before{};
    GetWindowRect(Window(), &before);
    EXPECT_EQ(before.right - before.left, 418) << "only the height grows";
    Form().ShowMenuClick();
    EXPECT_GE(Form().PageHeight(), 48) << "also once the bars are on screen";
    SetWindowPos(Window(), nullptr, 0, 0, 418, 60, SWP_NOMOVE | SWP_NOZORDER);  // as a drag of the frame would
    EXPECT_GE(Form().PageHeight(), 48);
}
