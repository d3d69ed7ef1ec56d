// A window of the test process with an edit box, standing in for the program the user works in
// when Tavrik is called up and sent away again.
#pragma once

#include <windows.h>

#include <string>

namespace tavrik::e2e {

class OtherWindow {
public:
    // Shown at this place on the screen, not yet in front. A thread of its own runs it, so it
    // answers while the test waits, as another program would.
    explicit OtherWindow(RECT place);
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    HWND Window() const { return window_; }
    std::wstring Text() const;
    // Clicks into the edit box, as a user turns to the program. False (the test failed) when the
    // window is not in front with the keyboard in the box afterwards.
    bool TakeFocus() const;
    bool HasFocus() const;

private:
    static DWORD WINAPI Run(void* self);

    RECT place_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    mutable int clicks_ = 0;
};

}  // namespace tavrik::e2e
