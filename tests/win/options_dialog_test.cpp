// The Options dialog driven from inside its own loop: what it shows, previews, stores and undoes.
#include <gtest/gtest.h>

#include "app/dialogs.h"
#include "app/dyn_api.h"
#include "app/res/resource_ids.h"
#include "app/text.h"
#include "app/unique.h"
#include "options/options_form.h"
#include "options/options_layout.h"
#include "ui/dark_mode.h"
#include "dialog_driver.h"
#include "test_folder.h"

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace tavrik;

namespace {

class OptionsDialog : public test::FormTest {
protected:
    void StartShown(const std::string& parameters) {
        StartForm(test::IniBuilder().Parameter("Language", 0).Parameters(parameters));
        f.form->ShowMenuClick();
    }
    ~OptionsDialog() override { app::SetDialogHooks({}); }
    // Service, Options as the menu sends it; `user` runs once the dialog is up. False when none came.
    bool Open(const std::function<void()>& user) {
        bool came = false;
        const test::DialogDriver drive([&](HWND) {
            came = Dialog() != nullptr;
            if (came) user();
        });
        SendMessageW(f.form->Handle(), WM_COMMAND, static_cast<WPARAM>(ui::Cmd::Options), 0);
        return came;
    }
    HWND Dialog() const { return f.form->OptionsForm ? f.form->OptionsForm->Handle() : nullptr; }
    // A control, its page shown first as a user would (pages are made when first shown).
    HWND Item(int id) const {
        const int page = id >= 1070 && id < 1080 ? 1  // the editor page's later controls
                         : id >= 1040 ? 3 : id >= 1030 ? 2 : id >= 1020 ? 1 : id >= 1001 ? 0 : -1;
        if (page >= 0 && !f.form->OptionsForm->Item(id)) f.form->OptionsForm->ShowPage(page);
        return f.form->OptionsForm->Item(id);
    }
    bool Ticked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
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

    void SetText(int id, const wchar_t* text) const { SetWindowTextW(Item(id), text); }
    std::wstring Text(int id) const {  // 0: the dialog's caption
        wchar_t text[512] = {};
        GetWindowTextW(id ? Item(id) : Dialog(), text, 512);
        return text;
    }
    std::wstring DefaultFace(int page) {
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(f.form->Editor(page), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        return format.szFaceName;
    }
};

TEST_F(OptionsDialog, ApplyStoresTheOptionsInRangeAndLeavesTheHotKeyToUseNow) {
    StartShown("OnTop=1\r\nHotKey=145\r\nFadeSpeed=5\r\n");
    ASSERT_TRUE(Open([&] {
        SetText(IDC_FADE_SPEED, L"150");  // typed past the spin edit's end
        SetText(IDC_HIDE_TIMEOUT, L"12");
        Click(IDC_ON_TOP);
        Click(IDC_AUTOSTART);
        Click(IDC_MOUSE_MONITOR);
        Click(IDC_SPELL_CHECK);
        SetText(IDC_NO_CATCH, L"vault.exe; pwsafe");
        SendMessageW(Item(IDC_HOT_KEY), HKM_SETHOTKEY, 0x7A, 0);  // F11 typed, "Use now" not pressed
        Click(IDC_APPLY);
        EXPECT_TRUE(IsWindow(Dialog())) << "Apply leaves the dialog open";
        EXPECT_FALSE(f.form->HotKeyReady);
    }));
    EXPECT_EQ(Key(L"FadeSpeed"), L"99");
    EXPECT_EQ(Key(L"HideTimeout"), L"12");
    EXPECT_EQ(Key(L"OnTop"), L"0");
    EXPECT_FALSE(GetWindowLongPtrW(f.form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Key(L"AutoStart"), L"1");
    EXPECT_EQ(f.runKey.ReadString(L"Tavrik"), f.folder.Path() + L"tavrik.exe");
    EXPECT_EQ(Key(L"ShowOnMouseMonitor"), L"1");
    EXPECT_TRUE(f.form->params.ShowOnMouseMonitor);
    EXPECT_EQ(Key(L"HotKey"), L"145");
    EXPECT_EQ(f.form->params.HotKey, 145);
    EXPECT_EQ(Key(L"SpellCheck"), L"0");
    EXPECT_FALSE(SendMessageW(f.form->Editor(0), EM_GETLANGOPTIONS, 0, 0) & IMF_SPELLCHECKING);
    EXPECT_EQ(Key(L"NoCatchFrom"), L"vault.exe; pwsafe");
    EXPECT_TRUE(log.texts.empty());
}

TEST_F(OptionsDialog, UseNowStoresTheTypedHotKeyAndTheHotKeyWaitsUntilTheDialogCloses) {
    StartShown("HotKey=145\r\n");
    bool readyWhileOpen = true;
    ASSERT_TRUE(Open([&] {
        SendMessageW(Item(IDC_HOT_KEY), HKM_SETHOTKEY, 0x7A | (HOTKEYF_CONTROL << 8), 0);  // Ctrl+F11
        Click(IDC_USE_HOT_KEY);
        readyWhileOpen = f.form->HotKeyReady;
    }));
    EXPECT_FALSE(readyWhileOpen);
    EXPECT_TRUE(f.form->HotKeyReady);
    EXPECT_EQ(Key(L"HotKey"), L"16506");
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], L"HotKey is set.");

    // The dialog kept from the first opening speaks the language of the next one.
    f.form->RussianLangMenuItemClick();
    std::wstring caption, button;
    ASSERT_TRUE(Open([&] {
        caption = Text(0);
        button = Text(IDC_USE_HOT_KEY);
        Click(IDCANCEL);
    }));
    EXPECT_EQ(caption, L"Настройки");
    EXPECT_EQ(button, L"Задействовать");
}

// Every caption the dialog shows, its title and tabs too, read back in each language against the table.
TEST_F(OptionsDialog, EveryCaptionReadsAsTheTableInBothLanguages) {
    StartShown("");
    for (const ui::Language language : {ui::Language::English, ui::Language::Russian}) {
        SCOPED_TRACE(static_cast<int>(language));
        if (language == ui::Language::Russian) f.form->RussianLangMenuItemClick();
        const auto expected = [&](std::u16string_view component) {
            return app::ToWide(ui::FindOptionsText(component, language).value_or(u"(none)"));
        };
        ASSERT_TRUE(Open([&] {
            EXPECT_EQ(Text(0), expected(ui::kOptionsFormComponent));
            const HWND tabs = GetDlgItem(Dialog(), IDC_OPTIONS_PAGES);
            const std::u16string_view sheets[] = {u"TabSheet1", u"TabSheet5", u"TabSheet3", u"TabSheet4"};
            for (int i = 0; i < 4; ++i) {
                wchar_t text[64] = {};
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text;
                item.cchTextMax = 64;
                SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
                EXPECT_EQ(std::wstring(text), expected(sheets[i]));
            }
            for (const options::OptionsControl& control : options::OptionsControls()) {
                if (control.component.empty() || control.hint) continue;
                if (control.page >= 0) f.form->OptionsForm->ShowPage(control.page);
                EXPECT_EQ(app::WindowText(f.form->OptionsForm->Item(control.id)), expected(control.component))
                    << control.id;
            }
            Click(IDCANCEL);
        }));
    }
}

// What acts at once is written at once, reaches the pages not made yet, and outlives Cancel.
TEST_F(OptionsDialog, StyleDefaultFontAndColourTakeEffectAtOnceOnEveryPageAndStayAfterCancel) {
    test::WriteBytes(f.PageFile(L"Later"), "{\\rtf1\\ansi later page\\par}");
    f.WriteIni(test::IniBuilder().Parameter("Language", 0).Parameter("Style", 2).Parameter("StartPage", 0)
        .Page("Now", "255*Arial*0*10*0*0*1*").Page("Later", "255*Arial*0*10*0*0*1*"));
    ASSERT_TRUE(f.Start());
    f.form->ShowMenuClick();
    ASSERT_FALSE(f.form->Page(1).loaded);
    app::SetDialogHooks({nullptr, [](const editor::CharFormat&) {
                             return std::optional(editor::CharFormat{L"Courier New", 14, 0x0000FF, 1});
                         },
                         [](COLORREF) { return std::optional<COLORREF>(0x00C0FFEE & 0xFFFFFF); }});
    std::wstring fontKeyWhileOpen, styleWhileOpen;
    ASSERT_TRUE(Open([&] {
        SendMessageW(Item(IDC_STYLE), CB_SETCURSEL, 0, 0);
        SendMessageW(GetParent(Item(IDC_STYLE)), WM_COMMAND, MAKEWPARAM(IDC_STYLE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(IDC_STYLE)));
        Click(IDC_FONT_DEFAULT);
        Click(IDC_COLOR_DEFAULT);
        styleWhileOpen = Key(L"Style");
        fontKeyWhileOpen = Key(L"DefaultFontName");
        Click(IDCANCEL);
    }));
    EXPECT_EQ(styleWhileOpen, L"0");
    EXPECT_EQ(fontKeyWhileOpen, L"Courier New");
    EXPECT_EQ(f.form->params.Style, 0);
    EXPECT_EQ(Key(L"DefaultFontSize"), L"14");
    EXPECT_EQ(Key(L"DefaultFontStyle"), L"1");
    EXPECT_EQ(Key(L"DefaultFontColor"), L"255");
    EXPECT_EQ(DefaultFace(0), L"Courier New");
    EXPECT_EQ(DefaultFace(1), L"Courier New") << "the page first shown now has the new default font";
    EXPECT_EQ(SendMessageW(f.form->Editor(1), EM_SETBKGNDCOLOR, 0, 0), 0xC0FFEE);
    EXPECT_TRUE(f.form->WritePageList());
    EXPECT_EQ(f.form->Ini().ReadString(L"Pages", L"Later", L""), L"12648430*Arial*0*10*0*0*1*");
}

TEST_F(OptionsDialog, FolderFieldKeepsItsBackslash) {
    StartShown("");
    std::wstring typed, emptied;
    ASSERT_TRUE(Open([&] {
        SetText(IDC_SAVE_TO, L"D:\\Заметки");
        typed = Text(IDC_SAVE_TO);
        SetText(IDC_SAVE_TO, L"");
        emptied = Text(IDC_SAVE_TO);
        Click(IDCANCEL);
    }));
    EXPECT_EQ(typed, L"D:\\Заметки\\");
    EXPECT_EQ(emptied, L"\\");
}

// Yes drops every page's formatting, so No is the default; after No the box shows what is in
// force again, and OK neither asks again nor changes the pages.
TEST_F(OptionsDialog, PlainTextQuestionSpeaksTheInterfaceLanguageDefaultsToNoAndNoUnticksTheBox) {
    StartShown("Plain=0\r\n");
    log.answer = IDNO;
    const struct {
        int language;
        const wchar_t* caption;
        const wchar_t* opening;
    } cases[] = {
        {0, L"Confirm", L"Stored as plain text, every page loses"},
        {1, L"Подтвердите", L"Сохранив странички в виде простого текста вы теряете\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        if (c.language == 1) f.form->RussianLangMenuItemClick();
        else f.form->EnglishLangMenuItemClick();
        log.captions.clear();
        log.texts.clear();
        log.flags.clear();
        bool tickedAfterNo = true;
        ASSERT_TRUE(Open([&] {
            Click(IDC_PLAIN);
            Click(IDC_APPLY);
            tickedAfterNo = Ticked(IDC_PLAIN);
            Click(IDOK);
        }));
        ASSERT_EQ(log.captions.size(), 1u) << "asked on Apply, not again on OK";
        EXPECT_EQ(log.captions[0], c.caption);
        EXPECT_TRUE(log.texts[0].starts_with(c.opening)) << log.texts[0];
        EXPECT_EQ(log.flags[0] & 0xFFF, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
        EXPECT_FALSE(tickedAfterNo);
        EXPECT_FALSE(f.form->params.Plain);
        EXPECT_EQ(Key(L"Plain"), L"0");
    }
}

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
        test::PressKey(VK_RETURN);
    }));
    EXPECT_FALSE(IsWindow(Dialog()));
    EXPECT_EQ(Key(L"AutoTab"), L"1");
    EXPECT_TRUE(f.form->params.AutoTab);
    int pageAfterAltM = -1;
    ASSERT_TRUE(Open([&] {
        EXPECT_EQ(GetFocus(), Item(IDOK)) << "the folder field had it at the last close";
        PostMessageW(GetFocus(), WM_SYSCHAR, L'm', 1 << 29);  // Alt+M: the "&Main" page
        test::DialogDriver::Then([&](HWND) {
            pageAfterAltM = static_cast<int>(SendMessageW(Item(IDC_OPTIONS_PAGES), TCM_GETCURSEL, 0, 0));
            Click(IDC_AUTO_HIDE);
            SetText(IDC_HIDE_TIMEOUT, L"7");
            SetFocus(Item(IDC_SAVE_TO));
            test::PressKey(VK_ESCAPE);
        });
    }));
    EXPECT_EQ(pageAfterAltM, 3);
    EXPECT_FALSE(IsWindow(Dialog()));
    EXPECT_EQ(Key(L"AutoHide"), L"0");
    EXPECT_FALSE(f.form->params.AutoHide);
    EXPECT_TRUE(f.form->WindowShown) << "Esc closed the dialog, not the window";
    // Tabbed onto Cancel (the dialog manager makes it the default button then), Enter cancels.
    ASSERT_TRUE(Open([&] {
        EXPECT_EQ(Text(IDC_HIDE_TIMEOUT), std::to_wstring(f.form->params.HideTimeout)) << "the typed 7 went with Esc";
        Click(IDC_AUTO_TAB);
        SendMessageW(Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
        test::PressKey(VK_RETURN);
    }));
    EXPECT_FALSE(IsWindow(Dialog()));
    EXPECT_EQ(Key(L"AutoTab"), L"1") << "Enter on Cancel applied nothing";
    EXPECT_TRUE(f.form->params.AutoTab);
}

// Messages, timers included, for about `ms`, or until `done` holds.
bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done() && GetTickCount64() < end) {
        test::DispatchPosted();
        Sleep(5);
    }
    return done();
}

// A hidden start makes nothing (the dialog opens only from the shown window); the first show, once
// idle, makes the frame and the first page hidden; the first opening then speaks the language
// chosen since and loads the values as a made one does.
TEST_F(OptionsDialog, IsMadeHiddenWhenTheShownWindowIsFirstIdleAndFirstOpensAsItAlwaysDid) {
    StartForm(test::IniBuilder().Parameter("Language", 0).Parameters("Style=2\r\nMultitabs=1\r\n"));
    EXPECT_FALSE(PumpUntil([&] { return f.form->OptionsForm != nullptr; }, 300)) << "made for a hidden window";
    f.form->ShowMenuClick();
    ASSERT_TRUE(PumpUntil([&] { return f.form->OptionsForm && f.form->OptionsForm->Item(IDC_STYLE); }, 3000));
    const HWND frame = GetParent(GetParent(f.form->OptionsForm->Item(IDC_STYLE)));
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_EQ(Dialog(), nullptr) << "made, not open";
    EXPECT_EQ(f.form->OptionsForm->Item(IDC_PLAIN), nullptr) << "the other pages wait until shown";
    EXPECT_TRUE(f.form->KeysEnabled()) << "the window's keys rest only while the dialog is open";

    f.form->RussianLangMenuItemClick();
    f.form->params.Multitabs = false;  // as if changed since it was made
    ASSERT_TRUE(Open([&] {
        EXPECT_EQ(Dialog(), frame) << "the one made ahead";
        EXPECT_EQ(GetFocus(), Item(IDOK));
        EXPECT_EQ(Text(0), app::ToWide(ui::FindOptionsText(ui::kOptionsFormComponent, ui::Language::Russian).value()));
        EXPECT_EQ(SendMessageW(Item(IDC_STYLE), CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(Item(IDC_STYLE), CB_GETCURSEL, 0, 0), 2);
        EXPECT_FALSE(Ticked(IDC_MULTITABS));
        Click(IDCANCEL);
    }));
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_TRUE(f.form->KeysEnabled());
}

// The page tabs' strip (all of them but the display area a page covers) as shown on screen, and as
// the control draws it now over the dialog's background: the same pixels, or a picture was stale.
bool StripShowsTheTabsAsTheyAre(HWND tabs) {
    RECT client{};
    GetClientRect(tabs, &client);
    RECT area = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const int cx = client.right, cy = area.top;  // the rows above the display area
    if (cx <= 0 || cy <= 0) return false;
    const app::WindowDc screen(tabs);
    const auto rows = [&](const std::function<void(HDC)>& draw) {
        const app::UniqueDc memory(CreateCompatibleDC(screen.Get()));
        const app::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
        const HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
        draw(memory.Get());
        std::vector<COLORREF> pixels;
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x) pixels.push_back(GetPixel(memory.Get(), x, y));
        SelectObject(memory.Get(), old);
        return pixels;
    };
    UpdateWindow(GetParent(tabs));
    const auto shown = rows([&](HDC memory) { BitBlt(memory, 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY); });
    using Fn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
    const Fn parentBackground = app::LookUp<Fn>(L"uxtheme.dll", "DrawThemeParentBackground");
    const auto now = rows([&](HDC memory) {
        if (!parentBackground || FAILED(parentBackground(tabs, memory, &client)))
            FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
        SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
    return shown == now;
}

// The strip is shown again from a picture while nothing on it changed; a change made while the
// dialog was hidden (the language, the page) shows at the next opening.
TEST_F(OptionsDialog, PageTabsShowWhatChangedWhileTheDialogWasHidden) {
    StartShown("");
    bool first = false, afterChanges = false, again = false;
    ASSERT_TRUE(Open([&] {
        first = StripShowsTheTabsAsTheyAre(Item(IDC_OPTIONS_PAGES));
        Click(IDCANCEL);
    }));
    f.form->RussianLangMenuItemClick();
    f.form->OptionsForm->ShowPage(2);
    ASSERT_TRUE(Open([&] {
        afterChanges = StripShowsTheTabsAsTheyAre(Item(IDC_OPTIONS_PAGES));
        Click(IDCANCEL);
    }));
    ASSERT_TRUE(Open([&] {
        again = StripShowsTheTabsAsTheyAre(Item(IDC_OPTIONS_PAGES));
        Click(IDCANCEL);
    }));
    EXPECT_TRUE(first);
    EXPECT_TRUE(afterChanges) << "Russian captions, the hot key page";
    EXPECT_TRUE(again);
}

// Whether this system has the undocumented calls dark mode uses (Wine 8 has none of them).
bool DarkCallsHere() {
    const HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
    if (!uxtheme) return false;
    for (WORD ordinal : {104, 133, 135, 136})
        if (!GetProcAddress(uxtheme, MAKEINTRESOURCEA(ordinal))) return false;
    return true;
}

void SetAppsUseLightTheme(const std::wstring& key, std::optional<DWORD> value) {
    if (!value) {
        (void)RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"AppsUseLightTheme");
        return;
    }
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"AppsUseLightTheme", REG_DWORD, &*value, sizeof *value),
              ERROR_SUCCESS);
}

// The background a dialog gives its controls, as they ask for it.
COLORREF DialogBackground(HWND dialog) {
    const HDC dc = GetDC(dialog);
    SetBkColor(dc, RGB(1, 2, 3));
    SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog));
    const COLORREF colour = GetBkColor(dc);
    ReleaseDC(dialog, dc);
    return colour;
}

// Every choice on every system: applied at once without a word, the dialog's own colours dark
// exactly when the program is, stored, and decided the same way at the next start. Where the
// build is too old or the calls are missing, the system's parts stay light and nothing fails.
TEST_F(OptionsDialog, ThemeIsStoredReadBackAndQuietWhereTheSystemCannotFollow) {
    const bool calls = DarkCallsHere();
    constexpr std::uint32_t k1803 = 17134, k11 = 22631;
    struct Case {
        int choice;  // 0 as Windows, 1 light, 2 dark
        std::uint32_t build;
        std::optional<DWORD> appsLight;
        bool dark, system;
        const char* why;
    };
    const Case cases[] = {
        {2, k1803, 1, true, false, "Dark on 1803: our own painting, no undocumented call"},
        {0, k1803, 0, false, false, "Windows dark on 1803: light, as before"},
        {2, k11, 1, true, calls, "Dark on 11: the system's parts where the calls are"},
        {0, k11, 0, calls, calls, "Windows dark: followed where the calls are"},
        {0, k11, std::nullopt, false, false, "no setting: light"},
        {1, k11, 0, false, false, "Light on a dark Windows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        f.windowsBuild = c.build;
        SetAppsUseLightTheme(f.ThemeKey(), c.appsLight);
        StartShown("");
        COLORREF background = 0;
        ASSERT_TRUE(Open([&] {
            SendMessageW(Item(IDC_THEME), CB_SETCURSEL, static_cast<WPARAM>(c.choice), 0);
            Click(IDC_APPLY);
            background = DialogBackground(GetParent(Item(IDC_THEME)));
            Click(IDOK);
        }));
        EXPECT_TRUE(log.texts.empty()) << "nothing to report";
        EXPECT_TRUE(IsWindowVisible(Window()));
        EXPECT_EQ(Key(L"Theme"), std::to_wstring(c.choice));
        EXPECT_EQ(ui::CurrentTheme().dark, c.dark);
        EXPECT_EQ(ui::CurrentTheme().system, c.system);
        EXPECT_EQ(background == ui::kDark.back, c.dark) << "the page's controls on the dialog's colour";

        f.Close();
        ui::SetTheme({}, 0);  // the next start decides for itself
        ASSERT_TRUE(f.Start());
        EXPECT_EQ(f.form->params.Theme, c.choice);
        EXPECT_EQ(ui::CurrentTheme().dark, c.dark) << "after a restart";
        f.Close();
    }
    ui::SetTheme({}, 0);
}

}  // namespace
