// A timer of the test's thread that answers the dialog the code under test is waiting on.
#include "dialog_driver.h"

#include <string_view>
#include <utility>

namespace tavrik::test {
namespace {

constexpr DWORD kLeftOpenMs = 10000;

// One driver at a time: a thread timer carries no pointer to its owner.
struct Steps {
    std::function<void(HWND)> next;
    bool came = false;
    ULONGLONG lastStep = 0;
};
Steps& State() {
    static Steps steps;
    return steps;
}

// A callback of the system's calling convention, which the 32-bit build needs.
BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Steps& state = State();
    const HWND dialog = DialogDriver::ShownDialog();
    if (!dialog) return;
    if (!state.next) {
        if (state.came && GetTickCount64() - state.lastStep > kLeftOpenMs) PostMessageW(dialog, WM_CLOSE, 0, 0);
        return;
    }
    const auto step = std::move(state.next);
    state.next = nullptr;
    state.came = true;
    state.lastStep = GetTickCount64();
    step(dialog);
}

}  // namespace

DialogDriver::DialogDriver(std::function<void(HWND)> step, UINT period) {
    MSG quit;  // a form closed before leaves its quit message, which would end the dialog's loop
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    State() = Steps{std::move(step), false, 0};
    timer_ = SetTimer(nullptr, 0, period, Tick);
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, timer_);
    State() = Steps{};  // the steps hold references to the test's locals
}

void DialogDriver::Then(std::function<void(HWND)> step) { State().next = std::move(step); }

HWND DialogDriver::ShownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool DialogDriver::Came() const { return State().came; }

void PressKey(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

}  // namespace tavrik::test
