// (Win32) TTavrikForm's show and hide sequences, the tray icon and the automatic hide.
#include "app/error_box.h"
#include "app/messages.h"
#include "app/tavrik_form.h"
#include "search/find_all_form.h"
#include "app/text.h"
#include "app/res/resource_ids.h"
#include "window/fade.h"

#include <windowsx.h>

#include <chrono>

namespace tavrik::app {

bool TTavrikForm::GetAnimation() {
    ANIMATIONINFO info{sizeof info, 0};
    return SystemParametersInfoW(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0;
}

void TTavrikForm::SetAnimation(bool on) {
    ANIMATIONINFO info{sizeof info, on ? -1 : 0};
    (void)SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);  // neither stored nor broadcast
}

// Visible and in front, at alpha 0 while a fade is to follow. ShowMainWindow always comes next.
void TTavrikForm::ShowTavrik() {
    const bool animation = GetAnimation();
    if (animation) SetAnimation(false);
    if (!params.NoTransparency) Transparency(hwnd_, 0);
    PlaceForShow();
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    // A program called up by its hot key may take the foreground; Windows allows it then. The
    // window in front is on top already: raising it again costs a few ms of the show under Wine.
    SetForegroundWindow(hwnd_);
    if (GetForegroundWindow() != hwnd_) BringWindowToTop(hwnd_);
    if (animation) SetAnimation(true);
}

void TTavrikForm::ShowMainWindow() {
    // What changed in the page folder while we were away shows at once, and later changes soon.
    CheckPageFiles();
    SetTimer(hwnd_, kTimerPageFiles, kPageFilesEveryMs, nullptr);
    if (params.ShowCool && !params.NoTransparency) {
        Fade(window::FadeInAlphas(params.MaxTransparency, params.FadeSpeed));
    } else if (!params.NoTransparency) {
        Transparency(hwnd_, window::ShownAlpha(params.MaxTransparency));
    }
    WindowShown = true;
    if (!OptionsForm) SetTimer(hwnd_, kTimerPrepareOptions, 0, nullptr);  // runs once the show is painted
    deactivateAttached_ = true;
    SetPopupConfiguration(true);
    EnableKeys();
    if (findAll_) findAll_->OwnerShown();
}

namespace {

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Until the desktop has composed the window at the alpha just set, so that each step is seen: the
// alphas of a fade would otherwise all be set within the same frame. Without composition (Windows
// 7 with it off; Wine) nothing is waited for.
void WaitForComposition() {
    using Enabled = HRESULT(WINAPI*)(BOOL*);
    using Flush = HRESULT(WINAPI*)();
    static const HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    static const auto enabled =
        dwm ? reinterpret_cast<Enabled>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
            : nullptr;
    static const auto flush =
        dwm ? reinterpret_cast<Flush>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmFlush"))) : nullptr;
    BOOL on = FALSE;
    if (enabled && flush && SUCCEEDED(enabled(&on)) && on) (void)flush();
}

}  // namespace

// The fade loops handle no messages: a fade that took seconds would hold the keyboard that long.
// It skips alphas to end within its budget (see PaceFade) instead of stepping through every one.
void TTavrikForm::Fade(const std::vector<int>& alphas) {
    (void)window::PaceFade(alphas, window::kFadeBudgetMs, NowMs, [this](int alpha) {
        Transparency(hwnd_, alpha);
        WaitForComposition();
        if (FadeStepSet) FadeStepSet(alpha);
    });
}

void TTavrikForm::FormHide() {
    if (HideTimerActive) {
        KillTimer(hwnd_, kTimerAutoHide);
        HideTimerActive = false;
    }
    if (params.ShowCool && !params.NoTransparency) Fade(window::FadeOutAlphas(params.MaxTransparency, params.FadeSpeed));
    const bool animation = GetAnimation();
    if (animation) SetAnimation(false);
    deactivateAttached_ = false;
    KillTimer(hwnd_, kTimerPageFiles);  // nothing is looked at while the window is hidden
    if (findAll_) findAll_->OwnerHidden();
    hiding_ = true;
    ShowWindow(hwnd_, SW_HIDE);  // a hidden top-level window has no taskbar button
    hiding_ = false;
    (void)SavePage(TabIndex());  // a failure was reported; the page stays in its editor
    if (book_.ListOwed()) (void)WritePageList();  // an entry whose write failed; said when it did
    if (animation) SetAnimation(true);
    WindowShown = false;
    SetPopupConfiguration(false);
    DisableKeys();
}

void TTavrikForm::HideMenuClick() { FormHide(); }

void TTavrikForm::ShowMenuClick() {
    ShowTavrik();
    ShowMainWindow();
}

void TTavrikForm::TrayIconClick(UINT button) {
    if (button != WM_LBUTTONUP) return;
    if (WindowShown) HideMenuClick();
    else ShowMenuClick();
}

void TTavrikForm::AddTrayIcon() {
    (void)trayIcon_.Add(hwnd_, kMsgTrayIcon, TrayImage(), TrayTipText());  // refused: it comes with Explorer
    TellFirstStart();
}

LRESULT TTavrikForm::OnTrayIcon(WPARAM wp, LPARAM lp) {
    switch (LOWORD(lp)) {
    case WM_LBUTTONUP:
    case NIN_KEYSELECT:  // Enter or Space on the icon: the keyboard's left click
        Alone([this] { TrayIconClick(WM_LBUTTONUP); });
        break;
    case WM_CONTEXTMENU: {
        if (Busy()) {  // its commands would be refused: the open box comes first
            if (!BringOpenBoxForward()) MessageBeep(MB_OK);
            break;
        }
        // The menu of the state the window is in; the window must be in front for it to close
        // when the user clicks elsewhere.
        SetForegroundWindow(hwnd_);
        BuildHiddenParts();
        SetPopupConfiguration(WindowShown);
        ShowEditorMenu({GET_X_LPARAM(wp), GET_Y_LPARAM(wp)});
        PostMessageW(hwnd_, WM_NULL, 0, 0);
        break;
    }
    }
    return 0;
}

void TTavrikForm::AppDeactivate() {
    if (!params.AutoHide) return;
    SetTimer(hwnd_, kTimerAutoHide, params.HideTimeout > 0 ? static_cast<UINT>(params.HideTimeout) * 1000 : 200,
             nullptr);
    HideTimerActive = true;
}

void TTavrikForm::AppActivate() {
    if (!HideTimerActive) return;
    KillTimer(hwnd_, kTimerAutoHide);
    HideTimerActive = false;
}

// Fires once per deactivation: FormHide discards the timer, and nothing touches it after.
void TTavrikForm::HideTimerTime() {
    KillTimer(hwnd_, kTimerAutoHide);
    HideTimerActive = false;
    if (Busy()) return;  // an open box keeps the window up; the next deactivation tries again
    const OneAtATime one(busy_);
    FormHide();
}

void TTavrikForm::OnActivateApp(bool active) {
    if (active) AppActivate();
    else if (deactivateAttached_) AppDeactivate();
}

// The keyboard belongs to the page: after a dialog, or when the window is activated, it goes
// back to the current editor instead of staying with the window itself.
void TTavrikForm::FocusCurrentPage() {
    const HWND editor = CurrentEditor();
    if (editor && IsWindowVisible(editor)) SetFocus(editor);
}

void TTavrikForm::wmEndOfResize() {
    if (const HWND editor = CurrentEditor()) {
        InvalidateRect(editor, nullptr, TRUE);
        UpdateWindow(editor);
    }
}

}  // namespace tavrik::app
