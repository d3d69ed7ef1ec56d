// (Win32) The Options dialog's layout: the frame, and the controls of each page in tab order.
#include "options/options_layout.h"

#include "app/res/resource_ids.h"
#include "ui/command_line_texts.h"

#include <commctrl.h>

namespace tavrik::options {

using namespace app;  // the main window and what it builds on

namespace {

constexpr DWORD kTick = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kSpinStyle = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kNumber = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

constexpr OptionsControl kControls[] = {
    {IDC_STYLE_LABEL, 0, u"StyleLabel"},
    {IDC_STYLE, 0, {}},
    {IDC_FONT_DEFAULT, 0, u"FontDefaultButton", true},
    {IDC_COLOR_DEFAULT, 0, u"ColorDefaultButton", true},
    {IDC_MULTITABS, 0, u"MultitabsCB"},
    {IDC_NO_TRANSPARENCY, 0, u"NoTransparencyCB"},
    {IDC_SHOW_COOL, 0, u"ShowCoolCheckBox"},
    {IDC_FADE_SPEED_LABEL, 0, u"FadeSpeedLabel"},
    {IDC_TRANSPARENCY_LABEL, 0, u"TransparencyLabel"},
    {IDC_PLAIN, 1, u"PlainCB"},
    {IDC_AUTO_TAB, 1, u"AutoTabCB"},
    {IDC_AUTO_DECODE, 1, u"AutoDecodeCB"},
    {IDC_DECODE_WARNING, 1, u"AutoDecodeWarningLabel"},
    {IDC_AUTO_SAVE_LABEL, 1, u"AutoSaveLabel"},
    {IDC_AUTO_SAVE_UNIT, 1, u"AutoSaveUnitLabel"},
    {IDC_SPELL_CHECK, 1, u"SpellCheckCB"},
    {IDC_NO_CATCH_LABEL, 1, u"NoCatchLabel"},
    {IDC_HOT_KEY_LABEL, 2, u"HotKeyLabel"},
    {IDC_USE_HOT_KEY, 2, u"UseHotKeyButton"},
    {IDC_SAVE_TO_LABEL, 3, u"SaveToLabel"},
    {IDC_SAVE_TO, 3, u"DirectoryEdit1", true},
    {IDC_CLOSE_MIN, 3, u"ClosMinCheckBox"},
    {IDC_ON_TOP, 3, u"OnTopCheckBox"},
    {IDC_AUTOSTART, 3, u"AutostartCheckBox"},
    {IDC_AUTO_HIDE, 3, u"AutoHideCheckBox"},
    {IDC_HIDE_TIMEOUT_LABEL, 3, u"HideTimeoutLabel"},
    {IDC_SECOND_LABEL, 3, u"SecundLabel"},
    {IDC_SHOW_ICON, 3, u"ShowIconCheckBox"},
    {IDC_MOUSE_MONITOR, 3, ui::kMouseMonitorComponent},
    {IDCANCEL, -1, u"CancelButton"},
    {IDC_APPLY, -1, u"ApplyButton"},
};

}  // namespace

std::span<const OptionsControl> OptionsControls() { return kControls; }

// The pages go above the tab control once made; the buttons keep the text "&OK" in both languages.
void AddFrameControls(DialogTemplate& box) {
    constexpr short kButtonsTop = kOptionsHeight - 18;
    box.AddItem(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS | TCS_HOTTRACK | TCS_MULTILINE, 4, 4, 242,
                kButtonsTop - 8, IDC_OPTIONS_PAGES);
    box.AddItem(kButton, BS_PUSHBUTTON | WS_TABSTOP, 86, kButtonsTop, 50, 14, IDCANCEL, L"");
    box.AddItem(kButton, BS_PUSHBUTTON | WS_TABSTOP, 140, kButtonsTop, 50, 14, IDC_APPLY, L"");
    box.AddItem(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 194, kButtonsTop, 50, 14, IDOK, L"&OK");
}

void AddPageControls(DialogTemplate& page, int index) {
    switch (index) {
    case 0:
        page.AddItem(kStatic, SS_LEFT, 6, 8, 40, 8, IDC_STYLE_LABEL, L"");
        page.AddItem(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 48, 6, 100, 60, IDC_STYLE);
        page.AddItem(kButton, BS_OWNERDRAW | WS_TABSTOP, 190, 4, 18, 16, IDC_FONT_DEFAULT, L"");
        page.AddItem(kButton, BS_OWNERDRAW | WS_TABSTOP, 212, 4, 18, 16, IDC_COLOR_DEFAULT, L"");
        page.AddItem(kButton, kTick, 6, 24, 224, 10, IDC_MULTITABS, L"");
        page.AddItem(kButton, kTick, 6, 36, 224, 10, IDC_NO_TRANSPARENCY, L"");
        page.AddItem(kButton, kTick, 6, 48, 150, 10, IDC_SHOW_COOL, L"");
        page.AddItem(kStatic, SS_RIGHT, 158, 49, 30, 8, IDC_FADE_SPEED_LABEL, L"");
        page.AddItem(kEdit, kNumber, 190, 47, 30, 12, IDC_FADE_SPEED, L"");
        page.AddItem(UPDOWN_CLASSW, kSpinStyle, 0, 0, 0, 0, IDC_FADE_SPEED_SPIN);
        page.AddItem(kStatic, SS_LEFT, 6, 64, 224, 8, IDC_TRANSPARENCY_LABEL, L"");
        page.AddItem(TRACKBAR_CLASSW, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 2, 74, 230, 16, IDC_TRANSPARENCY);
        page.AddItem(kStatic, SS_LEFT, 6, 96, 60, 8, IDC_THEME_LABEL, L"");
        page.AddItem(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 68, 94, 100, 60, IDC_THEME);
        break;
    case 1:
        page.AddItem(kButton, kTick, 6, 8, 224, 10, IDC_PLAIN, L"");
        page.AddItem(kButton, kTick, 6, 20, 224, 10, IDC_AUTO_TAB, L"");
        page.AddItem(kButton, kTick, 6, 32, 224, 10, IDC_AUTO_DECODE, L"");
        page.AddItem(kStatic, SS_OWNERDRAW, 6, 46, 224, 40, IDC_DECODE_WARNING, L"");
        page.AddItem(kStatic, SS_LEFT, 6, 94, 130, 8, IDC_AUTO_SAVE_LABEL, L"");
        page.AddItem(kEdit, kNumber, 138, 92, 34, 12, IDC_AUTO_SAVE, L"");
        page.AddItem(UPDOWN_CLASSW, kSpinStyle, 0, 0, 0, 0, IDC_AUTO_SAVE_SPIN);
        page.AddItem(kStatic, SS_LEFT, 176, 94, 56, 8, IDC_AUTO_SAVE_UNIT, L"");
        page.AddItem(kButton, kTick, 6, 110, 224, 10, IDC_SPELL_CHECK, L"");
        page.AddItem(kStatic, SS_LEFT, 6, 124, 224, 8, IDC_NO_CATCH_LABEL, L"");
        page.AddItem(kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 6, 134, 224, 12, IDC_NO_CATCH, L"");
        break;
    case 2:
        page.AddItem(kStatic, SS_LEFT, 6, 8, 224, 8, IDC_HOT_KEY_LABEL, L"");
        page.AddItem(HOTKEY_CLASSW, WS_BORDER | WS_TABSTOP, 6, 19, 120, 12, IDC_HOT_KEY);
        page.AddItem(kButton, BS_PUSHBUTTON | WS_TABSTOP, 132, 18, 70, 14, IDC_USE_HOT_KEY, L"");
        break;
    case 3:
        page.AddItem(kStatic, SS_LEFT, 6, 6, 224, 8, IDC_SAVE_TO_LABEL, L"");
        page.AddItem(kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 6, 16, 204, 12, IDC_SAVE_TO, L"");
        page.AddItem(kButton, BS_PUSHBUTTON | WS_TABSTOP, 212, 15, 18, 14, IDC_BROWSE, L"...");
        page.AddItem(kButton, kTick, 6, 33, 224, 10, IDC_CLOSE_MIN, L"");
        page.AddItem(kButton, kTick, 6, 45, 224, 10, IDC_ON_TOP, L"");
        page.AddItem(kButton, kTick, 6, 57, 224, 10, IDC_AUTOSTART, L"");
        page.AddItem(kButton, kTick, 6, 69, 224, 10, IDC_AUTO_HIDE, L"");
        // The timeout belongs to the box above it, so it sits under it, indented.
        page.AddItem(kStatic, SS_LEFT, 18, 84, 50, 8, IDC_HIDE_TIMEOUT_LABEL, L"");
        page.AddItem(kEdit, kNumber, 70, 82, 30, 12, IDC_HIDE_TIMEOUT, L"");
        page.AddItem(UPDOWN_CLASSW, kSpinStyle, 0, 0, 0, 0, IDC_HIDE_TIMEOUT_SPIN);
        page.AddItem(kStatic, SS_LEFT, 104, 84, 30, 8, IDC_SECOND_LABEL, L"");
        page.AddItem(kButton, kTick, 6, 98, 224, 10, IDC_SHOW_ICON, L"");
        page.AddItem(kButton, kTick, 6, 110, 224, 10, IDC_MOUSE_MONITOR, L"");
        break;
    }
}

}  // namespace tavrik::options
