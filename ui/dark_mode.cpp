// (Win32) Dark mode: Windows' setting, the undocumented calls looked up by build, and every window
// that follows the theme: title bar, controls, dialog colours, tab strips and the menu bar.
#include "ui/dark_mode.h"

#include "app/comctl.h"
#include "app/dyn_api.h"
#include "app/tavrik_form.h"
#include "app/unique.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavrik::ui {
namespace {

// uxtheme's exports by ordinal, unnamed; they exist with these meanings from build 17763 on.
// 135 took a BOOL in 1809 (AllowDarkModeForApp) and a mode from 1903 (SetPreferredAppMode).
enum class AppMode { Default = 0, AllowDark = 1, ForceDark = 2, ForceLight = 3 };
struct DarkCalls {
    using SetPreferredAppMode = int(WINAPI*)(int);
    using AllowDarkModeForWindow = bool(WINAPI*)(HWND, bool);
    using Plain = void(WINAPI*)();
    SetPreferredAppMode setAppMode = nullptr;    // #135
    AllowDarkModeForWindow allowForWindow = nullptr;  // #133
    Plain flushMenuThemes = nullptr;             // #136
    Plain refreshColorPolicy = nullptr;          // #104
    bool Found() const { return setAppMode && allowForWindow && flushMenuThemes && refreshColorPolicy; }
};

template <class Fn>
Fn Ordinal(HMODULE module, WORD ordinal) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

// Looked up only on a build where the ordinals mean what we call them for.
const DarkCalls& Calls(std::uint32_t build) {
    static const DarkCalls none;
    if (build < kFirstDarkBuild) return none;
    static const DarkCalls calls = [] {
        DarkCalls found;
        const HMODULE uxtheme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!uxtheme) return found;
        found.setAppMode = Ordinal<DarkCalls::SetPreferredAppMode>(uxtheme, 135);
        found.allowForWindow = Ordinal<DarkCalls::AllowDarkModeForWindow>(uxtheme, 133);
        found.flushMenuThemes = Ordinal<DarkCalls::Plain>(uxtheme, 136);
        found.refreshColorPolicy = Ordinal<DarkCalls::Plain>(uxtheme, 104);
        return found;
    }();
    return calls;
}

std::uint32_t WindowsBuild() {
    using Fn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const Fn rtlGetVersion = app::LookUp<Fn>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return rtlGetVersion && rtlGetVersion(&info) == 0 ? info.dwBuildNumber : 0;
}

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

ThemeDecision g_theme;
std::uint32_t g_build = 0;
bool g_systemUsed = false;
bool g_menuBarOurs = false;  // the system's dark parts were on once: windows may need them off
std::vector<HWND> g_followers;  // top-level windows and dialogs, in the order they came

HBRUSH Brush(COLORREF colour) {
    static const app::UniqueGdiObject back(CreateSolidBrush(kDark.back));
    static const app::UniqueGdiObject control(CreateSolidBrush(kDark.control));
    return static_cast<HBRUSH>(colour == kDark.control ? control.Get() : back.Get());
}

void FillSolid(HDC dc, const RECT& rc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
using DialogTextureFn = HRESULT(WINAPI*)(HWND, DWORD);
using DwmAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// The control's scroll bars follow its window's permission to be dark.
void SetControlTheme(HWND control, const wchar_t* name, const wchar_t* ids = nullptr) {
    static const SetThemeFn setTheme = app::LookUp<SetThemeFn>(L"uxtheme.dll", "SetWindowTheme");
    if (g_systemUsed) {
        const DarkCalls& calls = Calls(g_build);
        if (calls.Found()) (void)calls.allowForWindow(control, g_theme.system);
    }
    if (setTheme) (void)setTheme(control, name, ids);  // an unthemed control keeps its classic look
}

// The tab strips draw their tabs themselves while dark: the control has no dark look of its own.
void PaintTabs(HWND tabs, HDC dc) {
    RECT client{};
    GetClientRect(tabs, &client);
    FillSolid(dc, client, kDark.back);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tabs, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    const int count = TabCtrl_GetItemCount(tabs), current = TabCtrl_GetCurSel(tabs);
    for (int i = 0; i < count; ++i) {
        RECT rc{};
        if (!TabCtrl_GetItemRect(tabs, i, &rc)) continue;
        wchar_t caption[260] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = static_cast<int>(std::size(caption));
        (void)TabCtrl_GetItem(tabs, i, &item);
        FillSolid(dc, rc, i == current ? kDark.raised : kDark.control);
        SetDCBrushColor(dc, kDark.border);
        FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetTextColor(dc, i == current ? kDark.text : kDark.grayText);
        DrawTextW(dc, caption, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
        if (i == current && GetFocus() == tabs) {  // the keyboard is on the strip
            InflateRect(&rc, -2, -2);
            DrawFocusRect(dc, &rc);
        }
    }
    SelectObject(dc, old);
}

LRESULT CALLBACK TabsProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) noexcept {
    switch (msg) {
    case WM_ERASEBKGND:
        if (g_theme.dark) return 1;
        break;
    case WM_PAINT:
        if (!g_theme.dark) break;
        {
            PAINTSTRUCT ps{};
            const HDC dc = BeginPaint(hwnd, &ps);
            PaintTabs(hwnd, dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case WM_PRINTCLIENT:  // a parent's background drawn through us, or a picture of the strip
        if (!g_theme.dark) break;
        PaintTabs(hwnd, reinterpret_cast<HDC>(wp));
        return 0;
    case WM_NCDESTROY:
        app::comctl::RemoveWindowSubclass(hwnd, TabsProc, id);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

// A window that follows leaves the list when it goes. A dialog's controls ask it for their colours
// (data 1): while dark, the answer is ours.
constexpr DWORD_PTR kDialog = 1;
LRESULT CALLBACK FollowerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) noexcept {
    if (data != kDialog && msg != WM_NCDESTROY) return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
        if (!g_theme.dark) break;
        const auto dc = reinterpret_cast<HDC>(wp);
        const bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        const COLORREF back = field ? kDark.control : kDark.back;
        SetTextColor(dc, IsWindowEnabled(reinterpret_cast<HWND>(lp)) ? kDark.text : kDark.grayText);
        SetBkColor(dc, back);
        return reinterpret_cast<LRESULT>(Brush(back));
    }
    case WM_ERASEBKGND:
        if (!g_theme.dark) break;
        {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, Brush(kDark.back));
        }
        return 1;
    case WM_NCDESTROY:
        g_followers.erase(std::remove(g_followers.begin(), g_followers.end(), hwnd), g_followers.end());
        app::comctl::RemoveWindowSubclass(hwnd, FollowerProc, id);
        break;
    }
    return app::comctl::DefSubclassProc(hwnd, msg, wp, lp);
}

bool IsClass(HWND hwnd, std::wstring_view name) {
    wchar_t buffer[64] = {};
    const int n = GetClassNameW(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return n > 0 && CompareStringOrdinal(buffer, n, name.data(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

// One control: its theme and, where the control keeps colours of its own, those.
void ApplyToControl(HWND control) {
    const bool dark = g_theme.dark, system = g_theme.system;
    if (IsClass(control, L"Button")) {
        const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
        const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        if (type == BS_OWNERDRAW) return;
        // Themed check boxes draw their text black whatever the dialog answers: classic ones
        // take the colour of WM_CTLCOLORSTATIC.
        if (push) SetControlTheme(control, system ? L"DarkMode_Explorer" : nullptr);
        else SetControlTheme(control, dark ? L"" : nullptr, dark ? L"" : nullptr);
    } else if (IsClass(control, WC_COMBOBOXW) || IsClass(control, WC_EDITW)) {
        SetControlTheme(control, system ? L"DarkMode_CFD" : nullptr);
    } else if (IsClass(control, WC_LISTVIEWW)) {
        SetControlTheme(control, system ? L"DarkMode_Explorer" : nullptr);
        const COLORREF back = dark ? kDark.control : GetSysColor(COLOR_WINDOW);
        (void)ListView_SetBkColor(control, back);
        (void)ListView_SetTextBkColor(control, back);
        (void)ListView_SetTextColor(control, dark ? kDark.text : GetSysColor(COLOR_WINDOWTEXT));
    } else if (IsClass(control, WC_TREEVIEWW)) {
        SetControlTheme(control, system ? L"DarkMode_Explorer" : nullptr);
        (void)TreeView_SetBkColor(control, dark ? kDark.control : static_cast<COLORREF>(-1));
        (void)TreeView_SetTextColor(control, dark ? kDark.text : static_cast<COLORREF>(-1));
    } else if (IsClass(control, WC_HEADERW)) {
        SetControlTheme(control, system ? L"DarkMode_ItemsView" : nullptr);
    } else if (IsClass(control, WC_SCROLLBARW) || IsClass(control, WC_LISTBOXW)) {
        SetControlTheme(control, system ? L"DarkMode_Explorer" : nullptr);
    } else if (IsClass(control, WC_TABCONTROLW)) {
        (void)app::comctl::SetWindowSubclass(control, TabsProc, 0, 0);
    } else if (IsClass(control, L"#32770")) {
        // A page of the Options dialog: the tab's light texture would show through our colours.
        static const DialogTextureFn texture = app::LookUp<DialogTextureFn>(L"uxtheme.dll", "EnableThemeDialogTexture");
        constexpr DWORD kDisable = 0x00000001, kEnableTab = 0x00000006;  // ETDT_DISABLE, ETDT_ENABLETAB
        if (texture && (GetWindowLongPtrW(control, GWL_STYLE) & WS_CHILD)) (void)texture(control, dark ? kDisable : kEnableTab);
        (void)app::comctl::SetWindowSubclass(control, FollowerProc, 0, kDialog);
    }
}

BOOL CALLBACK ApplyToChild(HWND child, LPARAM) {
    ApplyToControl(child);
    return TRUE;
}

void ApplyTitleBar(HWND window) {
    const std::uint32_t attribute = DarkTitleAttribute(g_build);
    if (!attribute || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return;
    static const DwmAttributeFn set = [] {
        const HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return dwm ? reinterpret_cast<DwmAttributeFn>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    const BOOL on = g_theme.system ? TRUE : FALSE;
    if (!set || FAILED(set(window, attribute, &on, sizeof on))) return;  // the title bar stays light
    // Windows 10 redraws a shown title bar in its new colours only when the frame changes.
    if (IsWindowVisible(window))
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// The menu bar as the system measures it, for the rows it spans; empty when there is none.
RECT MenuBarRect(HWND window) {
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetMenuBarInfo(window, OBJID_MENU, 0, &bar)) return {};
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&bar.rcBar, -frame.left, -frame.top);
    return bar.rcBar;
}

// The menu bar messages the system sends to a themed window (undocumented): the bar's background
// and each item not drawn by its owner.
constexpr UINT kUahDrawMenu = 0x0091, kUahDrawMenuItem = 0x0092;
struct UahMenu {
    HMENU menu;
    HDC dc;
    DWORD flags;
};
struct UahDrawMenuItem {
    DRAWITEMSTRUCT draw;
    UahMenu menu;
    int position;  // the rest of the item's data is not needed here
};

// Wine draws the ground of the menu bar in the system colour whatever the menu's background
// brush says; Windows takes the brush. Painting it after the system costs a fill of a few pixels.
void PaintMenuBarRest(HWND window) {
    const HMENU menu = GetMenu(window);
    const int count = menu ? GetMenuItemCount(menu) : 0;
    RECT last{};
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (count <= 0 || !GetMenuItemRect(window, menu, static_cast<UINT>(count - 1), &last) ||
        !GetMenuBarInfo(window, OBJID_MENU, 0, &bar))
        return;
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT rest{last.right, last.top, bar.rcBar.right, bar.rcBar.bottom};
    OffsetRect(&rest, -frame.left, -frame.top);
    if (rest.right <= rest.left) return;
    const HDC dc = GetWindowDC(window);
    FillSolid(dc, rest, kDark.back);
    ReleaseDC(window, dc);
}

}  // namespace

void SetMenuBarItemsOurs(bool ours) { g_menuBarOurs = ours; }

LRESULT AfterFrameDrawn(HWND window, LRESULT result) {
    if (g_theme.dark && g_menuBarOurs) PaintMenuBarRest(window);
    return result;
}

std::optional<std::uint32_t> ReadAppsUseLightTheme(const ThemeSource& source) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueW(source.root, source.keyPath.c_str(), L"AppsUseLightTheme", RRF_RT_REG_DWORD, &type, &value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::uint32_t WindowsBuildOf(const ThemeSource& source) { return source.build ? *source.build : WindowsBuild(); }

HBRUSH DarkBackBrush() { return Brush(kDark.back); }

COLORREF ThemeColor(int sysColor) {
    if (!g_theme.dark) return GetSysColor(sysColor);
    switch (sysColor) {
    case COLOR_WINDOW: return kDark.control;
    case COLOR_BTNFACE: return kDark.back;
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
    case COLOR_INFOTEXT: return kDark.text;
    case COLOR_INFOBK: return kDark.border;
    case COLOR_GRAYTEXT: return kDark.grayText;
    case COLOR_HOTLIGHT: return RGB(110, 170, 255);  // a link still reads as one on the dark ground
    default: return GetSysColor(sysColor);
    }
}

HBRUSH ThemeBrush(HDC dc, int sysColor) {
    if (!g_theme.dark) return GetSysColorBrush(sysColor);
    SetDCBrushColor(dc, ThemeColor(sysColor));
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

ThemeDecision ReadAndDecide(ThemeChoice choice, const ThemeSource& source) {
    const std::uint32_t build = WindowsBuildOf(source);
    ThemeInputs in;
    in.choice = choice;
    in.build = build;
    // Light whatever Windows says needs no look at anything, and uxtheme is not even loaded (it
    // costs a start-up) unless dark is wanted.
    if (choice == ThemeChoice::Light) return DecideTheme(in);
    in.highContrast = HighContrastOn();
    in.appsUseLightTheme = ReadAppsUseLightTheme(source);
    const bool wanted = choice == ThemeChoice::Dark || (in.appsUseLightTheme && *in.appsUseLightTheme == 0);
    in.callsFound = wanted && !in.highContrast && Calls(build).Found();
    return DecideTheme(in);
}

ThemeDecision CurrentTheme() { return g_theme; }

bool SetTheme(const ThemeDecision& decision, std::uint32_t build) {
    const bool changed = decision.dark != g_theme.dark || decision.system != g_theme.system;
    const bool wasSystem = g_theme.system;
    g_theme = decision;
    g_build = build;
    g_systemUsed = g_systemUsed || decision.system;
    // The app mode darkens the popup menus and scroll bars; it is told only where it was or is dark.
    if (!decision.system && !wasSystem) return changed;
    if (const DarkCalls& calls = Calls(build); calls.Found()) {
        const bool modes = build >= 18362;  // 1809's call takes a BOOL: allow dark or not
        const AppMode mode = decision.system ? (modes ? AppMode::ForceDark : AppMode::AllowDark)
                                             : (modes ? AppMode::ForceLight : AppMode::Default);
        (void)calls.setAppMode(static_cast<int>(mode));
        calls.refreshColorPolicy();
        calls.flushMenuThemes();
    }
    return changed;
}

void FollowTheme(HWND window) {
    if (!window) return;
    if (std::find(g_followers.begin(), g_followers.end(), window) == g_followers.end()) g_followers.push_back(window);
    (void)app::comctl::SetWindowSubclass(window, FollowerProc, 0, IsClass(window, L"#32770") ? kDialog : 0);
    if (g_theme.dark) ApplyTheme(window);  // a window is made light: in light nothing needs telling
}

void ApplyTheme(HWND window) {
    if (!window || !IsWindow(window)) return;
    if (g_systemUsed) {
        const DarkCalls& calls = Calls(g_build);
        if (calls.Found()) (void)calls.allowForWindow(window, g_theme.system);
    }
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ApplyToControl(window);  // a page of a dialog
    ApplyTitleBar(window);
    EnumChildWindows(window, ApplyToChild, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ApplyThemeEverywhere() {
    const std::vector<HWND> followers = g_followers;  // a repaint may close none, but never trust it
    for (HWND window : followers) ApplyTheme(window);
}

bool MenuBarMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_NCPAINT && g_theme.dark && g_menuBarOurs) {
        result = AfterFrameDrawn(window, DefWindowProcW(window, msg, wp, lp));
        return true;
    }
    if (!g_theme.system || (msg != kUahDrawMenu && msg != kUahDrawMenuItem)) return false;
    if (msg == kUahDrawMenu) {
        const auto& menu = *reinterpret_cast<const UahMenu*>(lp);
        RECT bar = MenuBarRect(window);
        FillSolid(menu.dc, bar, kDark.back);
        result = 0;
        return true;
    }
    auto& item = *reinterpret_cast<UahDrawMenuItem*>(lp);
    wchar_t caption[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = caption;
    info.cch = static_cast<UINT>(std::size(caption) - 1);
    if (!GetMenuItemInfoW(item.menu.menu, static_cast<UINT>(item.position), TRUE, &info) ||
        (info.fType & MFT_OWNERDRAW))
        return false;  // the owner draws it, skin and all
    const UINT state = item.draw.itemState;
    const bool hot = (state & (ODS_HOTLIGHT | ODS_SELECTED)) != 0;
    FillSolid(item.draw.hDC, item.draw.rcItem, hot ? kDark.raised : kDark.back);
    SetBkMode(item.draw.hDC, TRANSPARENT);
    SetTextColor(item.draw.hDC, (state & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE)) ? kDark.grayText : kDark.text);
    DrawTextW(item.draw.hDC, caption, -1, &item.draw.rcItem,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0));
    result = 0;
    return true;
}

bool IsColorSetChange(LPARAM lp) {
    const auto* area = reinterpret_cast<const wchar_t*>(lp);
    return area && CompareStringOrdinal(area, -1, L"ImmersiveColorSet", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace tavrik::ui

namespace tavrik::app {

// Every window follows at once: the main window, its menus and bars, and each open dialog.
void TTavrikForm::ApplyTheme(bool always) {
    const ui::ThemeDecision decision = ui::ReadAndDecide(ui::ThemeChoiceOf(params.Theme), env_.theme);
    const bool changed = ui::SetTheme(decision, ui::WindowsBuildOf(env_.theme));
    if (!changed && !always) return;
    ApplySkin();
    ui::FollowTheme(hwnd_);  // once; it is among the windows below
    ui::ApplyThemeEverywhere();
    if (hiddenPartsBuilt_) DrawMenuBar(hwnd_);
}

}  // namespace tavrik::app
