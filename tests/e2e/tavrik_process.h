// tavrik.exe started from a test folder and watched from outside: its window, tabs, editor and
// any message box it shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "test_folder.h"

namespace tavrik::e2e {

struct MessageBoxText {
    std::wstring caption;
    std::wstring text;
};

class TavrikProcess {
public:
    // The folder's copy of tavrik.exe with the folder's Run key, or another key given here.
    explicit TavrikProcess(const ProgramFolder& folder);
    TavrikProcess(const ProgramFolder& folder, std::wstring runKey);
    ~TavrikProcess();  // a process still running is killed
    TavrikProcess(const TavrikProcess&) = delete;
    TavrikProcess& operator=(const TavrikProcess&) = delete;

    // Starts the program and waits for its window and its message loop. Fails the test and
    // returns false when they do not come.
    bool Start();
    // Starts a copy that should leave by itself and waits for it: its exit code, or nullopt
    // (the test failed) when it had to be killed.
    std::optional<DWORD> RunToExit();
    // Whether a window of the main class or any visible window of the process was seen.
    bool ShowedWindow() const { return showedWindow_; }

    // Posts WM_CLOSE and waits for the process to end. False (the test failed) when it did not
    // end with exit code 0.
    bool Close();
    // Posts WM_CLOSE and waits for a message box, then dismisses it. Nullopt (the test failed)
    // when the process ended instead or nothing came.
    std::optional<MessageBoxText> CloseExpectingMessage();

    // Any message box shown by now fails the test, with its text, and is dismissed; returns
    // how many there were.
    size_t FailOnMessageBoxes(const char* when);

    bool IsRunning() const;
    // A sent message comes back: the program is up and in a message loop.
    bool Responds() const;
    HWND Window() const { return window_; }
    HWND TabControl() const;
    std::vector<std::wstring> TabCaptions() const;
    int CurrentTab() const;
    // Editors of the tab strip that have WS_VISIBLE (the window itself is hidden).
    std::vector<HWND> ShownEditors() const;
    // The text of the one shown editor, without the line breaks at its end. When there is not
    // exactly one, the test fails.
    std::wstring ShownEditorText() const;

private:
    bool Launch();
    std::vector<MessageBoxText> TakeMessageBoxes();
    void Kill();

    std::wstring exe_;
    std::wstring runKey_;
    std::wstring workFolder_;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
    bool showedWindow_ = false;
};

}  // namespace tavrik::e2e
