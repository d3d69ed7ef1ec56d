// (Win32) Program entry: one copy only, then the hidden main window and its message loop; a
// command on the command line goes to the copy running, or to this one once it is up.
#include <windows.h>

#include "app/comctl.h"
#include "app/command_start.h"
#include "settings/parameters.h"
#include "app/tavrik_form.h"
#include "app/unique.h"

namespace {

// A copy that restarts to take up its settings again lets its window go first, then holds the
// mutex a moment longer while it ends: the new copy waits for it. Two starts at once wait too, until
// the window of the one that won appears.
bool WaitForEndingCopy(HANDLE mutex) {
    constexpr int kTries = 100;  // 10 s: ending takes a removal of the tray icon at most
    for (int i = 0; i < kTries; ++i) {
        const DWORD got = WaitForSingleObject(mutex, 100);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
            if (!FindWindowW(tavrik::app::TTavrikForm::kClassName, nullptr)) return true;
            (void)ReleaseMutex(mutex);
            return false;
        }
        if (got == WAIT_FAILED || FindWindowW(tavrik::app::TTavrikForm::kClassName, nullptr)) return false;
    }
    return false;
}

// The copy that won a start at the same instant: its window, once it has one.
HWND WaitForRunningWindow() {
    for (int i = 0; i < 100; ++i) {
        if (const HWND running = FindWindowW(tavrik::app::TTavrikForm::kClassName, nullptr)) return running;
        Sleep(100);
    }
    return nullptr;
}

// Exit codes of a start with a command, for the installer and scripts.
constexpr int kCommandFailed = 1;
constexpr int kCommandLineWrong = 2;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace tavrik::app;
    const ParsedCommand parsed = ReadOwnCommandLine();
    const Command& command = parsed.command;
    const bool plain = command.kind == CommandKind::None && !parsed.error;
    // A copy is running: leave at once, showing, writing and registering nothing.
    if (plain && FindWindowW(TTavrikForm::kClassName, nullptr)) return 0;
    if (parsed.error || RunsWithoutWindow(command.kind)) {
        const AppEnvironment env = ProcessEnvironment();
        if (parsed.error) {
            ShowCommandLineError(env, *parsed.error);
            return kCommandLineWrong;
        }
        if (command.kind == CommandKind::Help) {
            ShowCommandLineHelp(env);
            return 0;
        }
        // tavrik.ini holds the folder at every moment, whoever runs: nobody needs to be asked.
        return WritePageFolder(env, ToWide(command.text)) ? 0 : kCommandFailed;
    }
    // Passed on before anything else is looked at: a command costs a second start little more.
    if (!plain) {
        if (const HWND running = FindWindowW(TTavrikForm::kClassName, nullptr))
            return PassToRunningCopy(running, command) ? 0 : kCommandFailed;
    }
    // Two starts at the same instant both miss the window; only one of them gets the mutex. A
    // command goes to the one that did.
    UniqueHandle instance(CreateMutexW(nullptr, TRUE, L"Local\\Tavrik.SingleInstance"));
    if (!instance || (GetLastError() == ERROR_ALREADY_EXISTS && !WaitForEndingCopy(instance.Get()))) {
        if (plain) return 0;
        const HWND running = WaitForRunningWindow();
        return running && PassToRunningCopy(running, command) ? 0 : kCommandFailed;
    }

    AppEnvironment environment = ProcessEnvironment();
    // Start with Windows changed for the installer: it needs no window, unless this is the first
    // start, whose choice of language and word about the tray icon only a whole start makes.
    if (command.kind == CommandKind::AutoStart &&
        GetFileAttributesW((environment.programFolder + ToWide(tavrik::settings::kSettingsFileName)).c_str()) !=
            INVALID_FILE_ATTRIBUTES) {
        const bool set = SetAutoStartAlone(environment, command.on);
        (void)ReleaseMutex(instance.Get());
        return set ? 0 : kCommandFailed;
    }

    // The common controls and OLE are started when the window first needs them (app/comctl.h).
    int exitCode = 0;
    {
        TTavrikForm form(std::move(environment));
        if (!form.Create()) {
            exitCode = 1;
        } else {
            if (!plain) form.CarryOut(command);  // once start-up is over: the loop runs it
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (form.PreTranslate(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    comctl::EndOle();
    (void)ReleaseMutex(instance.Get());  // a copy waiting to start goes on at once
    return exitCode;
}
