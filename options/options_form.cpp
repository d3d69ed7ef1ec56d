// (Win32) TOptionsForm: the dialog, its four pages, its keys, its texts and the handlers that act at once.
#include "options/options_form.h"
#include "settings/parameters.h"

#include <array>
#include <string>

#include "app/comctl.h"
#include "app/dialog_template.h"
#include "app/dib.h"
#include "app/dyn_api.h"
#include "app/res/resource_ids.h"
#include "app/tavrik_form.h"
#include "app/text.h"
#include "editor/page_editor.h"
#include "options/options_layout.h"
#include "options/options_rules.h"
#include "options/tab_picture.h"
#include "ui/language_tables.h"
#include "ui/theme_texts.h"
#include "ui/toolbar_icons.h"
#include "ui/dark_mode.h"

#include <commctrl.h>
#include <shobjidl.h>

namespace tavrik::options {

using namespace app;  // the main window and what it builds on

namespace {

constexpr std::array<std::u16string_view, kOptionsPageCount> kPageComponents = {u"TabSheet1", u"TabSheet5",
                                                                               u"TabSheet3", u"TabSheet4"};

// The pages sit on the tab control's themed background, as those of a property sheet do.
void UseTabBackground(HWND page) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD);
    static const Fn enable = [] {
        const HMODULE module = LoadLibraryW(L"uxtheme.dll");
        return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, "EnableThemeDialogTexture")))
                      : nullptr;
    }();
    constexpr DWORD kEnableTab = 0x00000006;  // ETDT_ENABLETAB
    if (enable) (void)enable(page, kEnableTab);  // unthemed: the plain dialog colour
}

void PaintParentBackground(HWND control, HDC dc, const RECT& rc) {
    using Fn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
    static const Fn draw = LookUp<Fn>(L"uxtheme.dll", "DrawThemeParentBackground");
    if (!draw || FAILED(draw(control, dc, &rc))) FillRect(dc, &rc, ui::ThemeBrush(dc, COLOR_BTNFACE));
}

// The letter after the "&" of a caption, in upper case; 0 when it has none.
wchar_t AccessKey(std::u16string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(
            static_cast<UINT_PTR>(caption[i + 1])))));
    }
    return 0;
}

constexpr LPARAM kWhole = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND;

// Each window by itself: not every version of DefWindowProc passes PRF_CHILDREN on.
BOOL CALLBACK PrintChild(HWND child, LPARAM dc) {
    SendMessageW(child, WM_PRINT, static_cast<WPARAM>(dc), kWhole);
    return TRUE;
}

}  // namespace

// Made at the first opening and kept, hidden, until the main window goes: later openings only
// load the values again. A loop of our own rather than DialogBox: Enter and Esc must reach
// AppShortCut2 from every control, the folder field and the hot key control included, before the
// dialog manager or the control takes them.
void TOptionsForm::ShowModal() {
    const HWND owner = form_.Handle();
    if (open_ || !Make()) return;  // already open, or no common controls to make it of
    FormShow();
    const HWND find = form_.FindDialog();
    EnableWindow(owner, FALSE);
    if (find) EnableWindow(find, FALSE);
    open_ = true;
    done_ = false;
    showing_ = true;
    ShowWindow(dialog_, SW_SHOW);
    showing_ = false;
    SetFocus(Item(IDOK));  // where the activation did not reach the dialog
    MSG msg{};
    while (!done_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            break;
        }
        if (AppShortCut2(msg) || PageKeys(msg)) continue;
        if (IsDialogMessageW(dialog_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    open_ = false;
    FormClose();
    // The owner is enabled and takes the activation before the dialog goes, or Windows may give it
    // to another program's window (and Wine gives it to none).
    const bool active = dialog_ && GetForegroundWindow() == dialog_;
    if (IsWindow(owner)) EnableWindow(owner, TRUE);
    if (find && IsWindow(find)) EnableWindow(find, TRUE);
    if (active && IsWindow(owner) && IsWindowVisible(owner)) SetForegroundWindow(owner);
    if (dialog_) ShowWindow(dialog_, SW_HIDE);
}

bool TOptionsForm::Make() {
    if (dialog_) return true;
    if (!comctl::Load()) return false;
    DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, kOptionsWidth, kOptionsHeight, kOptionsFont,
                       kOptionsFontPoints, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT);
    AddFrameControls(box);
    (void)CreateDialogIndirectParamW(GetModuleHandleW(nullptr), box.Get(), form_.Handle(), DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return dialog_ != nullptr;
}

// Made when the main window is first idle after it is first shown: the dialog opens only from
// there. Making the frame, the first page and their texts, and drawing every control for the first
// time (themes, fonts, the images), made a first opening cost several later ones.
void TOptionsForm::Prepare() {
    if (open_ || dialog_ || !Make()) return;
    if (form_.params.Language != textsLanguage_) SetLanguage();
    ShowPage(0);  // what the first opening shows; the other pages stay unmade until shown
    DrawOffScreen();
}

// Every control of the frame and of the pages made draws itself once into a bitmap nobody sees.
void TOptionsForm::DrawOffScreen() const {
    RECT box{};
    GetWindowRect(dialog_, &box);
    const UniqueDc memory(CreateCompatibleDC(nullptr));
    if (!memory) return;  // the first opening draws it all, as it always did
    // A DIB section rather than a bitmap compatible with the screen: its pixels go back to
    // the system in one piece when it is deleted. Under Wine a compatible bitmap's pixels come from
    // a heap that keeps them, some 0.6 MB for as long as the program runs.
    void* bits = nullptr;
    const UniqueGdiObject bitmap(CreateDib32(nullptr, box.right - box.left, box.bottom - box.top, &bits));
    if (!bitmap) return;
    const HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
    SendMessageW(dialog_, WM_PRINT, reinterpret_cast<WPARAM>(memory.Get()), kWhole);
    EnumChildWindows(dialog_, PrintChild, reinterpret_cast<LPARAM>(memory.Get()));
    SelectObject(memory.Get(), old);
}

INT_PTR CALLBACK TOptionsForm::DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        auto* self = reinterpret_cast<TOptionsForm*>(lp);
        if (!self->dialog_) self->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<TOptionsForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->OnMessage(dialog, msg, wp, lp) : FALSE;
}

// The frame and its pages share one procedure: each page is a child dialog of the frame.
INT_PTR TOptionsForm::OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        if (window == dialog_) FormCreate();
        else UseTabBackground(window);
        ui::FollowTheme(window);
        return FALSE;  // the focus is set when the dialog opens
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lp) == Item(IDC_TRANSPARENCY)) TransparencyTrackBarChange();
        return TRUE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lp);
        if (header.idFrom == IDC_OPTIONS_PAGES && header.code == TCN_SELCHANGE)
            ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
        return TRUE;
    }
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_SETFOCUS:
        // Opening, the focus goes to OK at once, not first to the control it was on last time.
        if (window != dialog_ || !showing_) return FALSE;
        SetFocus(Item(IDOK));
        return TRUE;
    case WM_NCACTIVATE:
        // Opening, the show paints the whole frame just after the activation; closing, the dialog
        // gives the activation back just before it goes. -1 spares drawing the frame for nobody
        // to see; the state changes all the same.
        if (window != dialog_ || !(wp ? showing_ : !open_)) return FALSE;
        SetWindowLongPtrW(window, DWLP_MSGRESULT, DefWindowProcW(window, msg, wp, -1));
        return TRUE;
    case WM_CLOSE:
        if (window == dialog_) CancelButtonClick();  // the close box cancels, preview and all
        return TRUE;
    case WM_DESTROY:
        // With the main window, or at the end: an open dialog's loop ends too.
        if (window == dialog_) {
            dialog_ = nullptr;
            textsLanguage_ = -1;
            pages_ = {};
            tooltip_ = nullptr;
            done_ = true;
        }
        return TRUE;
    }
    return FALSE;
}

void TOptionsForm::OnCommand(int id, int code) {
    switch (id) {
    case IDOK: OKButtonClick(); return;
    case IDCANCEL: CancelButtonClick(); return;
    case IDC_APPLY: ApplyButtonClick(); return;
    case IDC_USE_HOT_KEY: UseHotKeyButtonClick(); return;
    case IDC_BROWSE: BrowseFolder(); return;
    case IDC_FONT_DEFAULT: FontDefaultButtonClick(); return;
    case IDC_COLOR_DEFAULT: ColorDefaultButtonClick(); return;
    case IDC_STYLE:
        if (code == CBN_SELCHANGE) StyleComboBoxChange();
        return;
    case IDC_SAVE_TO:
        if (code == EN_CHANGE) DirectoryEdit1Change();
        return;
    }
    if (code != BN_CLICKED || loading_) return;
    switch (id) {
    case IDC_MULTITABS: MultitabsCBClick(); return;
    case IDC_NO_TRANSPARENCY: NoTransparencyCBClick(); return;
    case IDC_SHOW_COOL:
    case IDC_AUTO_HIDE:
    case IDC_AUTO_DECODE: ApplyEnabling(); return;
    }
}

HWND TOptionsForm::Item(int id) const {
    for (HWND page : pages_)
        if (HWND item = page ? GetDlgItem(page, id) : nullptr) return item;
    return GetDlgItem(dialog_, id);
}

// Enter and Esc, wherever the focus is. Enter on a focused push button presses that button, as
// everywhere in Windows, and an open drop-down list takes its own Enter and Esc.
bool TOptionsForm::AppShortCut2(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
    if (msg.hwnd != dialog_ && !IsChild(dialog_, msg.hwnd)) return false;
    for (const HWND combo : {Item(IDC_STYLE), Item(IDC_THEME)})
        if (combo && (msg.hwnd == combo || IsChild(combo, msg.hwnd)) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
            return false;
    if (msg.wParam == VK_ESCAPE) {
        CancelButtonClick();
        return true;
    }
    // A push button the dialog manager gave the focus to has become the default one, so both codes.
    const auto code = SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) && msg.hwnd != Item(IDOK)) {
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    OKButtonClick();
    return true;
}

// Ctrl+Tab and Ctrl+Page Down go to the next page, with Shift or Page Up to the one before; Alt
// and a page's access key go to that page.
bool TOptionsForm::PageKeys(const MSG& msg) {
    // Every message of the dialog's loop passes here: the others leave before any lookup.
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSCHAR) return false;
    if (msg.hwnd != dialog_ && !IsChild(dialog_, msg.hwnd)) return false;
    const HWND tabs = Item(IDC_OPTIONS_PAGES);
    const int current = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    if (msg.message == WM_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000)) {
        int step = 0;
        if (msg.wParam == VK_TAB) step = (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
        else if (msg.wParam == VK_NEXT) step = 1;
        else if (msg.wParam == VK_PRIOR) step = -1;
        if (!step) return false;
        ShowPage((current + step + kOptionsPageCount) % kOptionsPageCount);
        return true;
    }
    if (msg.message != WM_SYSCHAR) return false;
    const auto pressed = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(msg.wParam)))));
    for (int page = 0; page < kOptionsPageCount; ++page) {
        const auto caption = ui::FindOptionsText(kPageComponents[static_cast<size_t>(page)], Language());
        if (caption && AccessKey(*caption) == pressed) {
            ShowPage(page);
            SetFocus(tabs);
            return true;
        }
    }
    return false;
}

ui::Language TOptionsForm::Language() const { return ui::LanguageFromSetting(form_.params.Language); }

// The frame, once: the tab control's pages and the tooltip for the hints. The pages other than
// the first are made when first shown: most openings never need them.
void TOptionsForm::FormCreate() {
    const HWND tabs = GetDlgItem(dialog_, IDC_OPTIONS_PAGES);
    for (int page = 0; page < kOptionsPageCount; ++page) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    }
    KeepTabPicture(tabs);
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                               dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Each opening: every value of the pages made so far loaded again from the main window.
void TOptionsForm::FormShow() {
    previewed_ = false;
    // The main window's keys and hot key rest while the dialog is open.
    keysWereOn_ = form_.KeysEnabled();
    form_.DisableKeys();
    form_.HotKeyReady = false;
    if (form_.params.Language < 0 || form_.params.Language > 1) form_.params.Language = 0;
    if (form_.params.Language != textsLanguage_) SetLanguage();  // the texts stay from the last opening otherwise
    for (int page = 0; page < kOptionsPageCount; ++page)
        if (pages_[static_cast<size_t>(page)]) LoadPage(page);
    ApplyEnabling();
    const int current = static_cast<int>(SendMessageW(Item(IDC_OPTIONS_PAGES), TCM_GETCURSEL, 0, 0));
    ShowPage(current >= 0 ? current : 0);  // the page it was left on

    // In the middle of the screen the main window is on.
    RECT box{};
    GetWindowRect(dialog_, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form_.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const int width = box.right - box.left, height = box.bottom - box.top;
    const int left = screen.left + (screen.right - screen.left) / 2 - width / 2;
    const int top = screen.top + (screen.bottom - screen.top) / 2 - height / 2;
    if (left != box.left || top != box.top)  // mostly where the last opening left it
        SetWindowPos(dialog_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A page made, given its texts and loaded from the main window's fields. Loading sets the controls
// without their handlers: the values already mean what the handlers would do.
void TOptionsForm::CreatePage(int page) {
    DialogTemplate sheet(WS_CHILD | DS_CONTROL, kOptionsPageWidth, kOptionsPageHeight, kOptionsFont, kOptionsFontPoints,
                         WS_EX_CONTROLPARENT);
    AddPageControls(sheet, page);
    const HWND made = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), sheet.Get(), dialog_, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
    if (!made) return;
    pages_[static_cast<size_t>(page)] = made;
    PlacePage(made);
    SetPageTexts(page);
    switch (page) {
    case 0:
        SendMessageW(Item(IDC_TRANSPARENCY), TBM_SETRANGE, TRUE, MAKELPARAM(0, options::kTransparencyMax));
        SendMessageW(Item(IDC_TRANSPARENCY), TBM_SETLINESIZE, 0, 1);
        SendMessageW(Item(IDC_FADE_SPEED_SPIN), UDM_SETRANGE32, options::kFadeSpeedMin, options::kFadeSpeedMax);
        break;
    case 1:
        SendMessageW(Item(IDC_AUTO_SAVE_SPIN), UDM_SETRANGE32, 0, settings::kMaxAutoSave);
        SendMessageW(Item(IDC_NO_CATCH), EM_SETLIMITTEXT, options::kMaxNoCatchChars, 0);
        break;
    case 3:
        SendMessageW(Item(IDC_HIDE_TIMEOUT_SPIN), UDM_SETRANGE32, options::kHideTimeoutMin, options::kHideTimeoutMax);
        SendMessageW(Item(IDC_SAVE_TO), EM_SETLIMITTEXT, 32767, 0);
        break;
    }
    LoadPage(page);
    ApplyEnabling();
}

// The page's controls from the main window's fields, without their handlers: the values already
// mean what the handlers would do.
void TOptionsForm::LoadPage(int page) {
    loading_ = true;
    const TTavrikForm& f = form_;
    switch (page) {
    case 0:
        Tick(IDC_NO_TRANSPARENCY, f.params.NoTransparency);
        Tick(IDC_SHOW_COOL, f.params.ShowCool);
        SendMessageW(Item(IDC_TRANSPARENCY), TBM_SETPOS, TRUE, options::PositionOfAlpha(f.params.MaxTransparency));
        Spin(IDC_FADE_SPEED_SPIN, f.params.FadeSpeed);
        Choose(IDC_STYLE, f.params.Style);
        Choose(IDC_THEME, static_cast<int>(ui::ThemeChoiceOf(f.params.Theme)));
        Tick(IDC_MULTITABS, f.params.Multitabs);
        break;
    case 1:
        Tick(IDC_AUTO_TAB, f.params.AutoTab);
        Tick(IDC_AUTO_DECODE, f.params.AutoDecode);
        Tick(IDC_PLAIN, f.params.Plain);
        Spin(IDC_AUTO_SAVE_SPIN, f.params.AutoSave);
        Tick(IDC_SPELL_CHECK, f.params.SpellCheck);
        SetWindowTextW(Item(IDC_NO_CATCH), ToWide(f.params.NoCatchFrom).c_str());
        break;
    case 2: SendMessageW(Item(IDC_HOT_KEY), HKM_SETHOTKEY, options::ControlFromPacked(f.params.HotKey), 0); break;
    case 3:
        SetWindowTextW(Item(IDC_SAVE_TO), ToWide(f.params.SaveTo).c_str());
        Tick(IDC_ON_TOP, f.params.OnTop);
        Tick(IDC_AUTOSTART, f.params.AutoStart);
        Tick(IDC_CLOSE_MIN, f.params.CloseAsMinimize);
        Tick(IDC_AUTO_HIDE, f.params.AutoHide);
        Spin(IDC_HIDE_TIMEOUT_SPIN, f.params.HideTimeout);
        Tick(IDC_SHOW_ICON, f.params.ShowTrayIcon);  // the icon is up exactly when this is on
        Tick(IDC_MOUSE_MONITOR, f.params.ShowOnMouseMonitor);
        break;
    }
    loading_ = false;
}

// However the dialog went. The window may have gone meanwhile (the session ended): its keys stay off.
void TOptionsForm::FormClose() {
    form_.HotKeyReady = true;
    if (keysWereOn_ && form_.WindowShown) form_.EnableKeys();
}

std::wstring TOptionsForm::TextOf(std::u16string_view component) const {
    return ToWide(ui::FindOptionsText(component, Language()).value_or(u""));
}

void TOptionsForm::SetLanguage() {
    textsLanguage_ = form_.params.Language;
    SetWindowTextW(dialog_, TextOf(ui::kOptionsFormComponent).c_str());
    const HWND tabs = Item(IDC_OPTIONS_PAGES);
    for (int page = 0; page < kOptionsPageCount; ++page) {
        std::wstring caption = TextOf(kPageComponents[static_cast<size_t>(page)]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    }
    for (int page = -1; page < kOptionsPageCount; ++page)
        if (page < 0 || pages_[static_cast<size_t>(page)]) SetPageTexts(page);
}

// The texts of one page (-1: the frame's buttons), and the style list, which refilling empties.
void TOptionsForm::SetPageTexts(int page) {
    for (const OptionsControl& control : OptionsControls()) {
        if (control.page != page) continue;
        const HWND item = Item(control.id);
        std::wstring words = TextOf(control.component);
        if (!control.hint) {
            SetWindowTextW(item, words.c_str());
            continue;
        }
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(item);
        tool.uId = reinterpret_cast<UINT_PTR>(item);
        tool.lpszText = words.data();
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (page != 0) return;
    const HWND style = Item(IDC_STYLE);
    SendMessageW(style, CB_RESETCONTENT, 0, 0);
    for (std::u16string_view entry : ui::OptionsListEntries(u"StyleComboBox", Language()))
        SendMessageW(style, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
    SendMessageW(style, CB_SETCURSEL, static_cast<WPARAM>(form_.params.Style), 0);

    SetWindowTextW(Item(IDC_THEME_LABEL), ToWide(ui::ThemeLabelIn(Language())).c_str());
    const HWND theme = Item(IDC_THEME);
    SendMessageW(theme, CB_RESETCONTENT, 0, 0);
    for (const ui::Bilingual& entry : ui::ThemeEntries())
        SendMessageW(theme, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry.In(Language())).c_str()));
    SendMessageW(theme, CB_SETCURSEL, static_cast<WPARAM>(ui::ThemeChoiceOf(form_.params.Theme)), 0);
}

// A page fills the tab control's display area and lies above it, so that it never paints over it.
void TOptionsForm::PlacePage(HWND page) const {
    const HWND tabs = Item(IDC_OPTIONS_PAGES);
    RECT area{};
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, SWP_NOACTIVATE);
}

void TOptionsForm::ShowPage(int page) {
    if (page < 0 || page >= kOptionsPageCount) return;
    const HWND tabs = Item(IDC_OPTIONS_PAGES);
    // Selected again, the strip would be drawn again: every opening shows the page it was left on.
    if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != page) SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    if (!pages_[static_cast<size_t>(page)]) CreatePage(page);
    for (int i = 0; i < kOptionsPageCount; ++i)
        if (i != page && pages_[static_cast<size_t>(i)]) ShowWindow(pages_[static_cast<size_t>(i)], SW_HIDE);
    ShowWindow(pages_[static_cast<size_t>(page)], SW_SHOW);
}

void TOptionsForm::ApplyEnabling() {
    const settings::Parameters& p = form_.params;
    const options::Enabling on = options::EnablingFor(
        form_.OSVersion, {TickedOr(IDC_NO_TRANSPARENCY, p.NoTransparency), TickedOr(IDC_SHOW_COOL, p.ShowCool),
                          TickedOr(IDC_AUTO_HIDE, p.AutoHide), TickedOr(IDC_AUTO_DECODE, p.AutoDecode)});
    const auto enable = [&](std::initializer_list<int> ids, bool state) {
        for (int id : ids)  // most are as they were; EnableWindow asks the system even then
            if (const HWND item = Item(id); item && (IsWindowEnabled(item) != FALSE) != state) EnableWindow(item, state);
    };
    enable({IDC_NO_TRANSPARENCY}, on.noTransparencyBox);
    enable({IDC_SHOW_COOL, IDC_TRANSPARENCY_LABEL, IDC_TRANSPARENCY}, on.transparency);
    enable({IDC_FADE_SPEED_LABEL, IDC_FADE_SPEED, IDC_FADE_SPEED_SPIN}, on.fadeSpeed);
    enable({IDC_HIDE_TIMEOUT_LABEL, IDC_HIDE_TIMEOUT, IDC_HIDE_TIMEOUT_SPIN, IDC_SECOND_LABEL}, on.hideTimeout);
    enable({IDC_DECODE_WARNING}, on.decodeWarning);
}

bool TOptionsForm::Ticked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool TOptionsForm::TickedOr(int id, bool field) const { return Item(id) ? Ticked(id) : field; }
// Selecting again what is selected, or writing the number a field already holds, would redraw
// the control for nothing at every opening.
void TOptionsForm::Choose(int id, int index) {
    const HWND box = Item(id);
    if (SendMessageW(box, CB_GETCURSEL, 0, 0) != index) SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
void TOptionsForm::Spin(int id, int value) {
    const HWND spin = Item(id);
    const auto field = reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0));
    if (!field || WindowText(field) != std::to_wstring(value)) SendMessageW(spin, UDM_SETPOS32, 0, value);
}
void TOptionsForm::Tick(int id, bool on) { SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

// A typed number out of range counts as the nearest end of the range; a page never shown keeps
// the field's value.
int TOptionsForm::SpinValue(int id, int low, int high, int field) const {
    if (!Item(id)) return field;
    BOOL translated = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(GetParent(Item(id)), id, &translated, FALSE));
    if (!translated) return low;
    return value < low ? low : value > high ? high : value;
}

void TOptionsForm::StyleComboBoxChange() {
    const int index = static_cast<int>(SendMessageW(Item(IDC_STYLE), CB_GETCURSEL, 0, 0));
    if (index < 0 || index > 2) return;
    form_.SetStyle(index);
}

void TOptionsForm::MultitabsCBClick() {
    form_.params.Multitabs = Ticked(IDC_MULTITABS);
    form_.SetTabRows(form_.params.Multitabs);
}

void TOptionsForm::NoTransparencyCBClick() {
    ApplyEnabling();
    previewed_ = true;
    form_.Transparency(form_.Handle(), Ticked(IDC_NO_TRANSPARENCY) ? -1 : form_.params.MaxTransparency);
}

void TOptionsForm::TransparencyTrackBarChange() {
    if (Ticked(IDC_NO_TRANSPARENCY)) return;
    const int position = static_cast<int>(SendMessageW(Item(IDC_TRANSPARENCY), TBM_GETPOS, 0, 0));
    previewed_ = true;
    form_.Transparency(form_.Handle(), options::AlphaOfPosition(position));
}

// The field always names a folder: it ends in a backslash, which typing cannot take away.
void TOptionsForm::DirectoryEdit1Change() {
    if (settingFolder_) return;
    const HWND field = Item(IDC_SAVE_TO);
    const std::wstring typed = WindowText(field);
    const std::wstring fixed = ToWide(options::FolderFieldText(ToU16(typed)));
    if (fixed == typed) return;
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    settingFolder_ = true;
    SetWindowTextW(field, fixed.c_str());
    settingFolder_ = false;
    SendMessageW(field, EM_SETSEL, start, end);  // the caret stays before the backslash
}

void TOptionsForm::BrowseFolder() {
    IFileOpenDialog* picker = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&picker)))) return;
    FILEOPENDIALOGOPTIONS flags = 0;
    (void)picker->GetOptions(&flags);
    (void)picker->SetOptions(flags | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    IShellItem* start = nullptr;
    const std::wstring current = WindowText(Item(IDC_SAVE_TO));
    if (SUCCEEDED(SHCreateItemFromParsingName(current.c_str(), nullptr, IID_PPV_ARGS(&start)))) {
        (void)picker->SetFolder(start);  // a folder that is gone opens the dialog's own choice
        start->Release();
    }
    IShellItem* chosen = nullptr;
    if (SUCCEEDED(picker->Show(dialog_)) && SUCCEEDED(picker->GetResult(&chosen))) {
        PWSTR path = nullptr;
        if (SUCCEEDED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            SetWindowTextW(Item(IDC_SAVE_TO), path);  // the backslash comes with the change
            CoTaskMemFree(path);
        }
        chosen->Release();
    }
    picker->Release();
    SetFocus(Item(IDC_SAVE_TO));
}

// The two tool buttons show the toolbar's images; the warning is red while it applies.
void TOptionsForm::DrawItem(const DRAWITEMSTRUCT& item) const {
    RECT rc = item.rcItem;
    if (item.CtlID == IDC_DECODE_WARNING) {
        PaintParentBackground(item.hwndItem, item.hDC, rc);
        const std::wstring text = WindowText(item.hwndItem);
        SetBkMode(item.hDC, TRANSPARENT);
        const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
        SetTextColor(item.hDC, enabled ? RGB(255, 0, 0) : ui::ThemeColor(COLOR_GRAYTEXT));
        const HGDIOBJ old = SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &rc, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(item.hDC, old);
        return;
    }
    UINT state = DFCS_BUTTONPUSH;  // fills the whole button: no parent background under it
    if (item.itemState & ODS_SELECTED) state |= DFCS_PUSHED;
    DrawFrameControl(item.hDC, &rc, DFC_BUTTON, state);
    if (const HIMAGELIST images = form_.Images()) {
        const int cx = ui::ToolbarIconPixels(WindowDpi(form_.Handle())), cy = cx;  // as the images were made
        const int image = item.CtlID == IDC_FONT_DEFAULT ? ui::kImageFont : ui::kImageBackground;
        const int push = (item.itemState & ODS_SELECTED) ? 1 : 0;
        comctl::ImageList_Draw(images, image, item.hDC, rc.left + (rc.right - rc.left - cx) / 2 + push,
                               rc.top + (rc.bottom - rc.top - cy) / 2 + push, ILD_TRANSPARENT);
    }
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&rc, -3, -3);
        DrawFocusRect(item.hDC, &rc);
    }
}

}  // namespace tavrik::options

namespace tavrik::app {

void TTavrikForm::OptionsMenuClick() {
    if (!OptionsForm) OptionsForm = std::make_unique<options::TOptionsForm>(*this);
    OptionsForm->ShowModal();
}

}  // namespace tavrik::app
