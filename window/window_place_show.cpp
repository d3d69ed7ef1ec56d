// (Win32) TTavrikForm::PlaceForShow: the window comes up where the user is: on the current virtual
// desktop, on a monitor that is there, or on the one under the mouse pointer.
#include "app/comctl.h"
#include "app/dyn_api.h"
#include "app/tavrik_form.h"
#include "window/window_place.h"

#include <objbase.h>

#include <vector>

namespace tavrik::app {
namespace {

// Windows 10's virtual desktop manager, declared here as documented: the SDK shows it only to
// programs built for Windows 10 and later alone.
struct IVirtualDesktopManager : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window, BOOL* onCurrent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID* desktop) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktop) = 0;
};
constexpr CLSID kVirtualDesktopManagerClass = {0xaa509086, 0x5ca9, 0x4c25, {0x8f, 0x95, 0x58, 0x9d, 0x3c, 0x07, 0xb4, 0x8a}};
constexpr IID kVirtualDesktopManagerInterface = {0xa5cd92ff, 0x29be, 0x454c, {0x8d, 0x04, 0xd8, 0x28, 0x79, 0xfb, 0x3f, 0x1b}};

window::Rect ToRect(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

// The monitor's own DPI (Windows 8.1 and later); 0 where the system cannot tell, which leaves sizes
// as they are.
unsigned MonitorDpi(HMONITOR monitor) {
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    static const auto getDpiForMonitor =
        shcore ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor"))) : nullptr;
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (!getDpiForMonitor || FAILED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y))) return 0;
    return y;
}

std::optional<window::Monitor> Describe(HMONITOR handle) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!handle || !GetMonitorInfoW(handle, &info)) return std::nullopt;
    return window::Monitor{ToRect(info.rcMonitor), ToRect(info.rcWork), MonitorDpi(handle)};
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
    if (const auto monitor = Describe(handle)) reinterpret_cast<std::vector<window::Monitor>*>(list)->push_back(*monitor);
    return TRUE;
}

std::vector<window::Monitor> Monitors() {
    std::vector<window::Monitor> monitors;
    (void)EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// Made when first needed, not at start: starting hidden needs none of it. Windows before 10 and
// Wine have no such object; then nothing is tried again.
IVirtualDesktopManager* DesktopManager() {
    static IVirtualDesktopManager* manager = [] {
        comctl::EnsureOle();
        IVirtualDesktopManager* made = nullptr;
        if (FAILED(CoCreateInstance(kVirtualDesktopManagerClass, nullptr, CLSCTX_INPROC_SERVER,
                                    kVirtualDesktopManagerInterface, reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made;
    }();
    return manager;  // kept to the end of the process, which releases it
}

// The desktop a window is on, when it is the current one and has an id (the taskbar's has none).
std::optional<GUID> CurrentDesktopOf(IVirtualDesktopManager& manager, HWND window) {
    BOOL onCurrent = FALSE;
    GUID desktop{};
    if (!window || FAILED(manager.IsWindowOnCurrentVirtualDesktop(window, &onCurrent)) || !onCurrent ||
        FAILED(manager.GetWindowDesktopId(window, &desktop)) || desktop == GUID{})
        return std::nullopt;
    return desktop;
}

// A new window opens on the current desktop: an invisible one, shown for a moment without taking
// the focus or a taskbar button, tells which desktop that is.
std::optional<GUID> CurrentDesktopByProbe(IVirtualDesktopManager& manager) {
    const HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0,
                                       1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!probe) return std::nullopt;
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    if (const auto setLayered = LookUp<SetLayered>(L"user32.dll", "SetLayeredWindowAttributes"))
        (void)setLayered(probe, 0, 0, LWA_ALPHA);  // alpha 0: never seen
    ShowWindow(probe, SW_SHOWNA);
    const std::optional<GUID> desktop = CurrentDesktopOf(manager, probe);
    DestroyWindow(probe);
    return desktop;
}

// Windows shows a window on the virtual desktop it was last on, switching the user there. Ours
// goes to the current desktop instead: the documented interface names none, so it is the desktop
// of the window in front, or of a probe when that tells nothing.
void ToCurrentDesktop(HWND hwnd) {
    IVirtualDesktopManager* manager = DesktopManager();
    if (!manager) return;
    BOOL onCurrent = TRUE;
    if (FAILED(manager->IsWindowOnCurrentVirtualDesktop(hwnd, &onCurrent)) || onCurrent) return;
    const HWND front = GetForegroundWindow();
    std::optional<GUID> desktop = front != hwnd ? CurrentDesktopOf(*manager, front) : std::nullopt;
    if (!desktop) desktop = CurrentDesktopByProbe(*manager);
    if (desktop) (void)manager->MoveWindowToDesktop(hwnd, *desktop);  // refused: Windows switches, as before
}

}  // namespace

void TTavrikForm::PlaceForShow() {
    ToCurrentDesktop(hwnd_);
    RECT now{};
    if (IsIconic(hwnd_) || !GetWindowRect(hwnd_, &now)) return;
    std::optional<window::Rect> place;
    if (params.ShowOnMouseMonitor) {
        POINT cursor{};
        const auto from = Describe(MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST));
        const auto to = GetCursorPos(&cursor) ? Describe(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST)) : from;
        if (from && to) place = window::PlaceOnMonitor(ToRect(now), *from, *to);
    } else {
        place = window::PlaceOffEveryMonitor(ToRect(now), Monitors());
    }
    if (!place || *place == ToRect(now)) return;
    // Moved first, so that a change of DPI on the way (WM_DPICHANGED) is over before the place is
    // set exactly.
    SetWindowPos(hwnd_, nullptr, place->left, place->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd_, nullptr, place->left, place->top, place->Width(), place->Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT placed{};
    if (GetWindowRect(hwnd_, &placed)) placedAt_ = placed;
}

}  // namespace tavrik::app
