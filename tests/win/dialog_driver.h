// Modal dialogs and message boxes driven from inside their own loop.
#pragma once

#include <windows.h>

#include <functional>

namespace tavrik::test {

// Once a dialog box of this thread is shown, runs `step` with it: a timer of the thread looks every
// `period` ms, and the modal loop dispatches it. Make it just before the call that shows the dialog
// and let it go after that call returns. A step may queue another with Then(); each runs at a later
// tick, after the messages the one before posted. A dialog still up 10 s after the last step is
// closed, so a check that failed before closing it does not hang the test program.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND)> step, UINT period = 50);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    static void Then(std::function<void(HWND)> step);
    static HWND ShownDialog();  // the visible dialog box (class #32770) of this thread, or null
    bool Came() const;          // a step ran

private:
    UINT_PTR timer_ = 0;
};

// A key as a dialog's loop receives it, at the control with the focus.
void PressKey(WPARAM key);

}  // namespace tavrik::test
