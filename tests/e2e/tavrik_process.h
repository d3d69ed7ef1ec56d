// tavrik.exe started from a test folder and watched from outside: its window, tabs, editor and
// any message box it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "test_folder.h"

namespace tavrik::e2e {

struct MessageBoxText {
    std::wstring caption;
    std::wstring text;
};

// Polls until the condition holds; false when it did not within the time.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// The text of a dialog's edit box, and the longest of its labels (a message box's message).
std::wstring DialogEditText(HWND dialog);
std::wstring DialogMessage(HWND dialog);

class TavrikProcess {
public:
    // The folder's copy of tavrik.exe with the folder's Run key, or another key given here.
    explicit TavrikProcess(const ProgramFolder& folder);
    TavrikProcess(const ProgramFolder& folder, std::wstring runKey);
    ~TavrikProcess();  // a process still running is killed
    TavrikProcess(const TavrikProcess&) = delete;
    TavrikProcess& operator=(const TavrikProcess&) = delete;

    // A variable of the program's environment from the next start on, in place of any of that name
    // (TAVRIK_LEGACY_KEY, TAVRIK_OS_VERSION).
    void SetVariable(std::wstring name, std::wstring value);
    // What follows the program's quoted path on its command line from the next start on.
    void SetArguments(std::wstring arguments) { arguments_ = std::move(arguments); }

    // Starts the program and waits for its window and its message loop. Fails the test and
    // returns false when they do not come.
    bool Start();
    // Starts the program when it should say something while starting: waits for that message box,
    // answers it as FailOnMessageBoxes does, then waits as Start does. Nullopt (the test failed)
    // when no box or no window comes.
    std::optional<MessageBoxText> StartExpectingMessage();
    // The next message box of the running program, answered with the button `id`; nullopt (the
    // test failed) when none comes within `timeoutMs`.
    std::optional<MessageBoxText> AnswerMessage(int id, DWORD timeoutMs);
    // The program restarted itself: waits for this process to end and follows the copy that took
    // its place. False (the test failed) when no copy came.
    bool FollowRestart();
    // Starts a copy that should leave by itself and waits for it: its exit code, or nullopt
    // (the test failed) when it had to be killed.
    std::optional<DWORD> RunToExit();
    // Starts a copy that should say something and leave: its one message box, answered OK, and its
    // exit code. Nullopt (the test failed) when no box came or the copy did not end.
    std::optional<std::pair<MessageBoxText, DWORD>> RunToMessageAndExit();
    // Whether a window of the main class or any visible window of the process was seen.
    bool ShowedWindow() const { return showedWindow_; }

    // Posts WM_CLOSE and waits for the process to end. False (the test failed) when it did not
    // end with exit code 0.
    bool Close();
    // Waits for the process to end by itself, after what was done to it (Exit, a close key); false
    // (the test failed) when it did not end with exit code 0.
    bool WaitForEnd(const char* after);
    // Posts WM_CLOSE and waits for a message box, then dismisses it. Nullopt (the test failed)
    // when the process ended instead or nothing came.
    std::optional<MessageBoxText> CloseExpectingMessage();

    // Any message box shown by now fails the test, with its text, and is dismissed; returns
    // how many there were.
    size_t FailOnMessageBoxes(const char* when);

    // Brings the hidden window up as the hot key does, and waits until it is in front, where real
    // input goes. False (the test failed) otherwise.
    bool Show();
    // Wait until the window is visible and in front, or until it is hidden; false (the test
    // failed) when it does not get there.
    bool WaitUntilShown() const;
    bool WaitUntilHidden() const;
    // The tray icon: a left click, and the right click that opens its menu (nullptr, the test
    // failed, when no menu came). Real clicks on the icon in Wine's own tray window when there is
    // one; otherwise the test posts what the shell would post.
    void ClickTrayIcon() const;
    HWND OpenTrayMenu() const;
    std::optional<POINT> TrayIconPoint() const;  // on the screen; nullopt without Wine's tray window
    // A point of the window's frame that the window itself reports as this hit-test code (HTCLOSE,
    // HTCAPTION), to aim the mouse at; nullopt (the test failed) when there is none.
    std::optional<POINT> FramePoint(LRESULT hit) const;
    // The shown editor, once it has the keyboard focus; when it lacks it, a click into the page
    // gives it, as a user would do. Nullptr (the test failed) when that does not help either.
    HWND FocusPage();
    // The window that has the keyboard focus in the program's window thread.
    HWND FocusWindow() const;
    // Waits until the focus is in this window or one of its children; false (the test failed) if not.
    bool WaitForFocusIn(HWND window) const;
    // A shown dialog or message box of the program with this caption, once it holds the focus;
    // nullptr (the test failed) when none comes.
    HWND WaitForDialog(std::wstring_view caption) const;
    // The shown popup menu; nullptr (the test failed) when none comes.
    HWND WaitForMenu() const;
    // Whether any dialog, message box or menu of the program is shown.
    bool ShowsPopup() const;
    // Where a tab lies on the screen, and its middle, to aim the mouse at.
    RECT TabRect(int index) const;
    POINT TabPoint(int index) const;

    // Ends the process at once, as a crash or a power cut would: nothing of it runs any more.
    void Kill();
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
    bool WaitForWindow();
    std::wstring Environment() const;
    std::vector<MessageBoxText> TakeMessageBoxes();

    std::wstring exe_;
    std::wstring runKey_;
    std::wstring workFolder_;
    std::wstring arguments_;
    std::vector<std::pair<std::wstring, std::wstring>> variables_;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
    bool showedWindow_ = false;
};

}  // namespace tavrik::e2e
