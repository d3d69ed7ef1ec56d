// (Win32) TTavrikForm: construction, the start-up sequence, shut-down.
#include "app/tavrik_form.h"
#include "app/comctl.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/dyn_api.h"
#include "app/error_box.h"
#include "app/messages.h"
#include "app/res/resource_ids.h"
#include "app/text.h"
#include "options/options_form.h"
#include "search/find_all_form.h"
#include "pages/page_file_look.h"
#include "pages/save_leftover_sweep.h"
#include "settings/parameters.h"
#include "ui/access_texts.h"
#include "ui/accessible_parts.h"
#include "ui/windows_language.h"
#include "window/default_size.h"

namespace tavrik::app {
namespace {
constexpr int kFontPointsAt96 = 8;  // the window's designed font, MS Sans Serif 8 pt
constexpr int kMinPageHeightAt96 = 48;  // three lines of text
}  // namespace

TTavrikForm::TTavrikForm(AppEnvironment environment) : env_(std::move(environment)) {}

TTavrikForm::~TTavrikForm() {
    if (hwnd_) DestroyWindow(hwnd_);
    menus_.reset();
}

bool TTavrikForm::Create() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAVRIK));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVRIK), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    // Never WS_VISIBLE: the window stays hidden until the user calls it up. The handle arrives
    // in hwnd_ with WM_NCCREATE, before any other message.
    (void)CreateWindowExW(0, kClassName, std::wstring(AppTitle()).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    return hwnd_ != nullptr;
}

std::wstring TTavrikForm::SettingsPath() const {
    return env_.programFolder + ToWide(settings::kSettingsFileName);
}

void TTavrikForm::CreateChildren() { CreateComposition(); }

// The tab strip is made with the other parts nobody sees while the window is hidden.
void TTavrikForm::CreateTabStrip() {
    TabControl1 = CreateWindowExW(0, WC_TABCONTROLW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_FOCUSNEVER |
                                      (params.Multitabs ? TCS_MULTILINE : 0),
                                  0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabControlId)),
                                  GetModuleHandleW(nullptr), nullptr);
    app::comctl::SetWindowSubclass(TabControl1, TabProc, 0, reinterpret_cast<DWORD_PTR>(this));
    ui::DescribeTabStrip(
        TabControl1, [this] { return ToWide(ui::AccessTextIn(ui::AccessText::TabStrip, InterfaceLanguage())); },
        [this] { return ToWide(ui::AccessTextIn(ui::AccessText::SwitchAction, InterfaceLanguage())); });
    ApplyWindowFont();
}

void TTavrikForm::ApplyWindowFont() {
    if (!TabControl1) return;
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(kFontPointsAt96, static_cast<int>(WindowDpi(hwnd_)), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) return;  // the system font stays
    SendMessageW(TabControl1, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    windowFont_ = std::move(font);
}

void TTavrikForm::Layout() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    const RECT rest = toolbars_.Arrange(rc);
    if (TabControl1) MoveWindow(TabControl1, rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top, TRUE);
    // Bars that grow (shown, or wrapped onto another row) take the room from the page.
    EnsurePageRoom();
}

int TTavrikForm::PageHeight() const {
    if (!TabControl1) return 0;
    RECT page{};
    GetClientRect(TabControl1, &page);
    TabCtrl_AdjustRect(TabControl1, FALSE, &page);
    return page.bottom - page.top;  // below zero when the bars leave less than the tabs need
}

// How far the window's height is from leaving the page room for a few lines; the bars would
// otherwise take all of a small window, and the stored default height is such a window.
int TTavrikForm::PageRoomMissing() const {
    if (!TabControl1) return 0;
    const int wanted = MulDiv(kMinPageHeightAt96, static_cast<int>(WindowDpi(hwnd_)), 96);
    return std::max(0, wanted - PageHeight());
}

void TTavrikForm::EnsurePageRoom() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    if (const int missing = PageRoomMissing(); missing > 0 && !IsZoomed(hwnd_) && !IsIconic(hwnd_))
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTavrikForm::OnGetMinMaxInfo(MINMAXINFO& info) const {
    if (!TabControl1 || IsIconic(hwnd_)) return;
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const int around = (window.bottom - window.top) - PageHeight();  // frame, menu, bars, tabs
    const int wanted = MulDiv(kMinPageHeightAt96, static_cast<int>(WindowDpi(hwnd_)), 96);
    info.ptMinTrackSize.y = std::max<LONG>(info.ptMinTrackSize.y, around + wanted);
}

void TTavrikForm::OnDpiChanged(const RECT& suggested) {
    ApplyWindowFont();
    if (hiddenPartsBuilt_) (void)MakeImages();
    ApplySkin();  // the skin's sizes, and the owner-drawn menus measured again
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TTavrikForm::FormCreate() {
    OSDetect();
    // Before anything writes it. A file that cannot be looked at (no rights) is taken to be there.
    DWORD probeError = ERROR_SUCCESS;
    firstStart_ = pages::ProbeFile(SettingsPath(), probeError) == pages::FileProbe::Absent;
    WaitForSettingsFile();  // before anything reads or writes tavrik.ini
    // The legacy key goes once its settings are in the file: a held-back write would lose them.
    if (!SettingsHeldBack()) ConvertSettings();
    LoadToolbarLayout();
    HideTimerActive = false;
    ExitRequested = false;
    IniFile.emplace(SettingsPath());
    // Without it, start with Windows is not changed: held back, AutoStart is only the default.
    if (!SettingsHeldBack()) (void)RunKey.Open(env_.runRoot, env_.runKeyPath);
    ApplyParameters();
    LoadPages();
    const std::vector<std::wstring> leftoverVersions = pages::SettleSaveLeftovers(ToWide(params.SaveTo), params.Plain);
    SelectLanguage();

    RegisterStartHotKey();
    SelectionChange();
    WindowShown = false;
    SetPopupConfiguration(false);
    DisableKeys();
    TellSettingsHeldBack();
    TellLeftoverVersions(leftoverVersions);
    OfferRescuedPages();
}

void TTavrikForm::ApplyParameters() {
    using P = settings::Parameters;
    const settings::IniParameterSource source(*IniFile);
    params = settings::ReadParameters(source, OSVersion, ToU16(env_.programFolder));
    // A first start speaks as Windows does, and keeps to it. A tavrik.ini that is already there
    // without the key has been read in Russian all along: it stays so.
    const bool languageChosen = !firstStart_ || source.Read(settings::KeyOf(&P::Language).name).has_value();
    if (!languageChosen) params.Language = static_cast<std::int32_t>(ui::LanguageForWindowsUi(WindowsUiLanguage()));
    const settings::Parameters& p = params;
    // The place is taken as read, off the screen or not; stay-on-top goes with it in one call.
    SetWindowPos(hwnd_, p.OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, p.MainLeft, p.MainTop, p.MainWidth, p.MainHeight,
                 SWP_NOACTIVATE);
    ApplyDefaultSize(!source.Read(settings::KeyOf(&P::MainWidth).name),
                     !source.Read(settings::KeyOf(&P::MainHeight).name));
    if (!languageChosen) (void)StoreParameters({&P::Language});  // a refusal was reported
    ApplySkin();
    ApplyTheme(false);  // dark: the skin again, and the window follows; light changes nothing
    // Multitabs: the tab strip takes it when it is made; ShowTrayIcon: the icon comes when the
    // program is first idle.
    if (!p.NoTransparency) Transparency(hwnd_, p.MaxTransparency);
    menus_->Check(ui::Cmd::English, p.Language == 0);
    menus_->Check(ui::Cmd::Russian, p.Language == 1);
    RunKey.Apply(p.AutoStart, env_.programPath);
    SkipNextClipboard = true;
    if (p.CatchClipboard) JoinClipboardChain();
}

// The stored default size is the one designed at 100 %: at 150 % it would cut the menu bar and the
// bars. The window is on its monitor by now, so a change of DPI on the way has been handled.
void TTavrikForm::ApplyDefaultSize(bool width, bool height) {
    if (!width && !height) return;
    const unsigned dpi = env_.dpi ? *env_.dpi : WindowDpi(hwnd_);  // the DPI of the monitor the window is on
    if (width) params.MainWidth = window::ScaleDefaultSize(params.MainWidth, dpi);
    if (height) params.MainHeight = window::ScaleDefaultSize(params.MainHeight, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, params.MainWidth, params.MainHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::uint16_t TTavrikForm::WindowsUiLanguage() const {
    return env_.uiLanguage ? *env_.uiLanguage : GetUserDefaultUILanguage();
}

bool TTavrikForm::StoreParameters(std::initializer_list<settings::ParameterMember> members) const {
    return IniFile->WriteParameters(params, members);
}

// The application-wide message filter (and the shortcuts) act only while this is on.
void TTavrikForm::EnableKeys() { keysEnabled_ = true; }
void TTavrikForm::DisableKeys() { keysEnabled_ = false; }

bool TTavrikForm::PreTranslate(MSG& msg) {
    // The modeless Find dialogs get their own keys (Tab, Enter, Esc) first; F3 steps through the
    // results of Find in all pages from the page too.
    if (findDialog_ && IsDialogMessageW(findDialog_, &msg)) return true;
    if (findAll_ && findAll_->PreTranslate(msg)) return true;
    if (keysEnabled_ && !Busy()) {
        bool used = false;
        Alone([&] { used = AppShortCut(msg) || AppMessage(msg); });
        if (used) {
            if (const int current = TabIndex(); current >= 0 && current < PageCount())
                NoteChange(Page(current).editor);  // Ctrl+B, Ctrl+D, Ctrl+Y change the page
            return true;
        }
    }
    return accelerators_ && TranslateAcceleratorW(hwnd_, accelerators_.Get(), &msg);
}

// The window comes up: its page is read, shown and given the keyboard.
void TTavrikForm::FormShow() {
    shownSinceOffer_ = true;  // a restart declined is offered again
    const int index = TabIndex();
    ShowOnly(index);
    if (index >= 0 && book_[index].editor) {
        SetFocus(book_[index].editor);
        SelectionChange();
    }
    if (!toldWhenShown_.empty()) PostMessageW(hwnd_, kMsgTellWhenShown, 0, 0);
}

void TTavrikForm::TellWhenShown(std::wstring text) {
    toldWhenShown_.push_back(std::move(text));
    PostMessageW(hwnd_, kMsgTellWhenShown, 0, 0);
}

// Posted, so it runs once the show that read the page has ended and the window is up.
void TTavrikForm::TellWhatWaited() {
    KillTimer(hwnd_, kTimerTellWhenShown);
    if (toldWhenShown_.empty() || !IsWindowVisible(hwnd_)) return;  // the next show posts again
    if (Busy()) {
        SetTimer(hwnd_, kTimerTellWhenShown, 250, nullptr);
        return;
    }
    const OneAtATime one(busy_);
    std::wstring text;
    for (const std::wstring& line : std::exchange(toldWhenShown_, {})) text += (text.empty() ? L"" : L"\r\n") + line;
    ShowError(hwnd_, text);
}

// The stored catching setting stays as it is: catching resumes at the next start.
void TTavrikForm::FormDestroy() {
    LeaveClipboardChain();
    SaveToolbarLayout();
    trayIcon_.Remove();
    PostQuitMessage(0);
}

// Exit, the title bar's close, Alt+F4: with CloseAsMinimize an ordinary close only hides. A
// failed save keeps the program up, and the next close starts the saving again from the pages.
void TTavrikForm::FormCloseQuery() {
    if (params.CloseAsMinimize && !ExitRequested && !SessionEnding) {
        FormHide();
        return;
    }
    if (!FinishAll()) return;
    WindowShown = false;
    DestroyWindow(hwnd_);
}

// Windows asks to end the log-on: everything is saved, hidden or not, but the program ends only
// when the session really ends: another program may still cancel it. A page that cannot be written
// to its file is written to the rescue folder instead, with no box nobody may be there to answer;
// the answer is no only when even that failed, rather than lose it.
LRESULT TTavrikForm::wmQueryEndSession() {
    // A box of ours is open (an Exit that failed, say): its operation is not left halfway, but
    // what could not be saved is put out of harm's way in case the user ends the session anyway.
    if (Busy()) {
        (void)RescueUnsavedPages();
        return FALSE;
    }
    const OneAtATime one(busy_);
    SessionEnding = true;
    const bool finished = FinishAll();
    if (RescueUnsavedPages() || finished) return TRUE;  // also drops the rescued copies of pages now written
    SessionEnding = false;
    return FALSE;
}

// A last try at the page files (the folder may be back); what still cannot go there is rescued.
void TTavrikForm::wmEndSession(bool ending) {
    if (!ending) {
        SessionEnding = false;  // cancelled: the program goes on as before
        return;
    }
    if (Busy()) {
        (void)RescueUnsavedPages();
    } else {
        const OneAtATime one(busy_);
        SessionEnding = true;
        (void)FinishAll();
        (void)RescueUnsavedPages();
    }
    WindowShown = false;
    DestroyWindow(hwnd_);
}

// At the end of a session no box is shown: the pages that cannot be written are rescued by the
// caller. The window's place matters less than the pages: a failure to write it is told once (by
// the settings file's own message) and does not keep the program from ending.
bool TTavrikForm::FinishAll() {
    ending_ = true;  // a page is about to hold its text nowhere but in its file
    std::vector<std::pair<std::wstring, DWORD>> failures;
    for (const auto& [i, error] : WriteEveryPage()) failures.emplace_back(PagePath(i), error);
    ending_ = false;
    // After a session end that was cancelled: rescued copies of pages now in their files go.
    if (!rescued_.empty()) (void)RescueUnsavedPages();
    if (!failures.empty()) {
        if (!SessionEnding) ShowCannotCreateFiles(hwnd_, failures);
        return false;
    }
    RECT rc{};
    const auto movedByUser = [&] { return !placedAt_ || !EqualRect(&*placedAt_, &rc); };
    if (!placeWriteFailed_ && !IsIconic(hwnd_) && GetWindowRect(hwnd_, &rc) && movedByUser()) {
        params.MainLeft = rc.left;
        params.MainTop = rc.top;
        params.MainHeight = rc.bottom - rc.top;
        params.MainWidth = rc.right - rc.left;
        const bool written = StoreParameters({&settings::Parameters::MainLeft, &settings::Parameters::MainTop,
                                              &settings::Parameters::MainHeight, &settings::Parameters::MainWidth});
        placeWriteFailed_ = !written;
    }
    return WritePageList();
}

}  // namespace tavrik::app
