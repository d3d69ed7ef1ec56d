// The stand-in for another program: a top-level window with an edit box on a thread of its own.
#include "other_window.h"

#include "real_input.h"
#include "tavrik_process.h"

#include <gtest/gtest.h>

namespace tavrik::e2e {
namespace {

constexpr wchar_t kClassName[] = L"TavrikE2eOtherProgram";
constexpr DWORD kReplyTimeoutMs = 5000;

LRESULT CALLBACK OtherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // As a note pad does: the keyboard belongs to the edit box whenever the window has it.
    if (msg == WM_SETFOCUS) {
        if (HWND edit = GetWindow(hwnd, GW_CHILD)) SetFocus(edit);
        return 0;
    }
    if (msg == WM_SIZE) {
        if (HWND edit = GetWindow(hwnd, GW_CHILD)) MoveWindow(edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

OtherWindow::OtherWindow(RECT place) : place_(place), ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    if (!thread_ || WaitForSingleObject(ready_, kReplyTimeoutMs) != WAIT_OBJECT_0 || !edit_)
        ADD_FAILURE() << "the stand-in for another program did not come up";
}

OtherWindow::~OtherWindow() {
    if (thread_) {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, kReplyTimeoutMs);
        CloseHandle(thread_);
    }
    if (ready_) CloseHandle(ready_);
}

DWORD WINAPI OtherWindow::Run(void* param) {
    auto* self = static_cast<OtherWindow*>(param);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = OtherProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);  // already there from an earlier test: as good
    const RECT& r = self->place_;
    self->window_ = CreateWindowExW(0, kClassName, L"Other program", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (self->window_) {
        self->edit_ = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 10, 10,
                                      self->window_, nullptr, instance, nullptr);
        RECT client{};
        GetClientRect(self->window_, &client);
        MoveWindow(self->edit_, 0, 0, client.right, client.bottom, TRUE);
        ShowWindow(self->window_, SW_SHOWNOACTIVATE);
    }
    SetEvent(self->ready_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (self->window_) DestroyWindow(self->window_);
    return 0;
}

std::wstring OtherWindow::Text() const {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (!edit_ || !SendMessageTimeoutW(edit_, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                       kReplyTimeoutMs, &copied))
        return L"<no answer>";
    return std::wstring(text, copied);
}

bool OtherWindow::HasFocus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == window_ && GetGUIThreadInfo(threadId_, &info) && info.hwndFocus == edit_;
}

bool OtherWindow::TakeFocus() const {
    RECT rect{};
    GetWindowRect(edit_, &rect);
    // Low in the box, below the text, so the caret goes to its end; each click a little to the
    // side of the one before, so that two quick ones never make a double click.
    const int x = rect.left + 40 + 20 * (clicks_++ % 8);
    if (!Click({x, rect.bottom - 10})) return false;
    if (WaitFor([&] { return HasFocus(); }, 5000)) return true;
    ADD_FAILURE() << "a click into the other program did not give it the keyboard";
    return false;
}

}  // namespace tavrik::e2e
