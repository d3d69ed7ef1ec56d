// (Win32) The help window: a read-only edit control filling a window owned by the main one.
#include "ui/help_window.h"

#include "app/comctl.h"
#include "app/dialog_template.h"
#include "app/dyn_api.h"
#include "app/res/resource_ids.h"
#include "app/unique.h"

#include <new>
#include <string>

namespace tavrik::ui {
namespace {

constexpr int kWidthAt96 = 620, kHeightAt96 = 520;

struct HelpState {
    HWND edit = nullptr;
    app::UniqueFont font;
};

// The system's message font at the window's DPI, so the text is as crisp as the rest at 150 %.
void SetFont(HWND window, HelpState& state) {
    const auto [face, points] = app::MessageFont(window);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(points, static_cast<int>(app::WindowDpi(window)), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    state.font.Reset(CreateFontIndirectW(&font));
    SendMessageW(state.edit, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.Get()), TRUE);
}

// Esc closes the window, as it closes the program's dialogs.
LRESULT CALLBACK EditProc(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) noexcept {
    if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
        PostMessageW(GetParent(edit), WM_CLOSE, 0, 0);
        return 0;
    }
    if (msg == WM_GETDLGCODE && wp == VK_ESCAPE) return DLGC_WANTMESSAGE;
    return app::comctl::DefSubclassProc(edit, msg, wp, lp);
}

LRESULT CALLBACK HelpProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* state = reinterpret_cast<HelpState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (msg) {
    case WM_CREATE: {
        state = new (std::nothrow) HelpState;
        if (!state) return -1;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        // Wrapped at the window's width: no line of the help needs a sideways scroll.
        state->edit = CreateWindowExW(0, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                                          ES_NOHIDESEL,
                                      0, 0, 0, 0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!state->edit) return -1;
        SendMessageW(state->edit, EM_SETLIMITTEXT, 0, 0);  // as long as the file is
        app::comctl::SetWindowSubclass(state->edit, EditProc, 1, 0);
        SetFont(window, *state);
        return 0;
    }
    case WM_SIZE:
        if (state) MoveWindow(state->edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (state) SetFocus(state->edit);
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (state) SetFont(window, *state);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete state;
        break;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

HWND OpenHelpOf(HWND owner) {
    for (HWND window = FindWindowExW(nullptr, nullptr, kHelpWindowClass, nullptr); window;
         window = FindWindowExW(nullptr, window, kHelpWindowClass, nullptr))
        if (GetWindow(window, GW_OWNER) == owner && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            return window;
    return nullptr;
}

}  // namespace

HWND ShowHelpWindow(HWND owner, std::wstring_view caption, std::wstring_view text) {
    if (!app::comctl::Load()) return nullptr;  // the edit's subclass lives there
    HWND window = OpenHelpOf(owner);
    if (!window) {
        static const ATOM registered = [] {
            WNDCLASSEXW cls{};
            cls.cbSize = sizeof cls;
            cls.lpfnWndProc = HelpProc;
            cls.hInstance = GetModuleHandleW(nullptr);
            cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            cls.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVRIK), IMAGE_ICON, 0, 0,
                                                      LR_DEFAULTSIZE | LR_SHARED));
            cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            cls.lpszClassName = kHelpWindowClass;
            return RegisterClassExW(&cls);
        }();
        if (!registered) return nullptr;
        const int dpi = static_cast<int>(app::WindowDpi(owner));
        window = CreateWindowExW(0, kHelpWindowClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 MulDiv(kWidthAt96, dpi, 96), MulDiv(kHeightAt96, dpi, 96), owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (!window) return nullptr;
    }
    const auto* state = reinterpret_cast<const HelpState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetWindowTextW(window, std::wstring(caption).c_str());
    SetWindowTextW(state->edit, std::wstring(text).c_str());
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(state->edit);
    SendMessageW(state->edit, EM_SETSEL, 0, 0);
    return window;
}

}  // namespace tavrik::ui
