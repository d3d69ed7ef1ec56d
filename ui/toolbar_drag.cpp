// (Win32) Bars pulled off their docks, floating in small windows of their own, and put back on a dock.
#include "ui/toolbars.h"
#include "app/comctl.h"

#include <windowsx.h>

#include "app/dyn_api.h"

namespace tavrik::ui {
namespace {

constexpr wchar_t kFloatClass[] = L"TavrikFloatingToolbar";
constexpr int kPullOutAt96 = 24;  // how far past its dock a bar must be pulled to leave it

}  // namespace

void ToolbarHost::RegisterFloatClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FloatProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFloatClass;
    (void)RegisterClassExW(&wc);  // a second form in the same process finds it registered
}

// A small tool window of its own, with a close button that hides the bar.
void ToolbarHost::Float(Bar& bar) {
    SIZE full{};
    SendMessageW(bar.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&full));
    RECT frame{0, 0, full.cx, full.cy};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
    bar.floatWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kFloatClass, L"", style, bar.place.floatLeft,
                                      bar.place.floatTop, frame.right - frame.left, frame.bottom - frame.top,
                                      parent_, nullptr, GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(bar.floatWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetParent(bar.toolbar, bar.floatWindow);
    MoveWindow(bar.toolbar, 0, 0, full.cx, full.cy, FALSE);
    ShowWindow(bar.toolbar, SW_SHOWNA);
    if (bar.place.visible && windowShown_) ShowWindow(bar.floatWindow, SW_SHOWNOACTIVATE);
}

void ToolbarHost::ShowFloating(bool windowShown) {
    windowShown_ = windowShown;
    for (const Bar& bar : bars_)
        if (bar.floatWindow) ShowWindow(bar.floatWindow, windowShown && bar.place.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

// Which dock a point over the window is near: the edges of the client area, or a dock itself.
std::u16string ToolbarHost::DockAt(POINT screen) const {
    RECT client{};
    GetClientRect(parent_, &client);
    MapWindowPoints(parent_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, screen)) return {};
    const int margin = MulDiv(kPullOutAt96, static_cast<int>(app::WindowDpi(parent_)), 96);
    RECT rc{};
    for (auto [rebar, dock] : {std::pair{top_, kDockFormat}, std::pair{bottom_, kDockBottom},
                               std::pair{left_, kDockLeft}, std::pair{right_, kDockRight}}) {
        GetWindowRect(rebar, &rc);
        InflateRect(&rc, margin, margin);
        if (PtInRect(&rc, screen)) return std::u16string(dock);
    }
    if (screen.y < client.top + margin) return std::u16string(kDockFormat);
    if (screen.y > client.bottom - margin) return std::u16string(kDockBottom);
    if (screen.x < client.left + margin) return std::u16string(kDockLeft);
    if (screen.x > client.right - margin) return std::u16string(kDockRight);
    return {};
}

void ToolbarHost::Drop(Bar& bar, POINT screen) {
    const std::u16string dock = DockAt(screen);
    if (dock == bar.place.dock) return;
    MoveTo(bar.def->name, dock, screen);
}

// A gripper grabbed: the dock moves the bar along its rows, and we watch whether it is pulled off
// the dock altogether; dropped away from every dock, it floats.
bool ToolbarHost::OnDockMouse(HWND rebar, UINT msg, WPARAM wp, LPARAM lp) {
    POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_LBUTTONDOWN: {
        RBHITTESTINFO hit{};
        hit.pt = at;
        const int index = static_cast<int>(SendMessageW(rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        dragged_ = index >= 0 && hit.flags == RBHT_GRABBER ? BarOfBand(rebar, index) : nullptr;
        draggingOut_ = false;
        return false;
    }
    case WM_MOUSEMOVE: {
        if (!dragged_ || !(wp & MK_LBUTTON)) return false;
        ClientToScreen(rebar, &at);
        RECT rc{};
        GetWindowRect(rebar, &rc);
        const int margin = MulDiv(kPullOutAt96, static_cast<int>(app::WindowDpi(rebar)), 96);
        InflateRect(&rc, margin, margin);
        if (!draggingOut_ && !PtInRect(&rc, at)) {
            draggingOut_ = true;
            SendMessageW(rebar, RB_ENDDRAG, 0, 0);
            SetCapture(rebar);
            SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
        }
        return draggingOut_;
    }
    case WM_LBUTTONUP: {
        Bar* bar = draggingOut_ ? dragged_ : nullptr;
        dragged_ = nullptr;
        draggingOut_ = false;
        if (!bar) return false;
        ClientToScreen(rebar, &at);
        ReleaseCapture();
        Drop(*bar, at);
        return true;
    }
    case WM_CAPTURECHANGED:
        if (draggingOut_ && reinterpret_cast<HWND>(lp) != rebar) {
            dragged_ = nullptr;
            draggingOut_ = false;
        }
        return false;
    }
    return false;
}

// The window of a floating bar: its close button hides the bar, and a drag that ends over a
// dock puts the bar back on it.
LRESULT CALLBACK ToolbarHost::FloatProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = reinterpret_cast<ToolbarHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    Bar* bar = nullptr;
    for (Bar& b : self->bars_)
        if (b.floatWindow == hwnd) bar = &b;
    switch (msg) {
    case WM_NOTIFY:
    case WM_COMMAND:
        return SendMessageW(self->parent_, msg, wp, lp);
    case WM_CLOSE:
        if (bar) {
            self->SetVisible(bar->def->name, false);
            if (self->changed_) self->changed_();
        }
        return 0;
    case WM_EXITSIZEMOVE:
        if (bar) {
            POINT at{};
            GetCursorPos(&at);
            const std::u16string dock = self->DockAt(at);
            if (!dock.empty()) {
                // Posted: this window goes away with the move.
                PostMessageW(hwnd, WM_APP, 0, 0);
            }
        }
        return 0;
    case WM_APP:
        if (bar) {
            POINT at{};
            GetCursorPos(&at);
            self->Drop(*bar, at);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace tavrik::ui
