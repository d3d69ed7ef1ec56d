// (Win32) Program entry: one copy only, then the hidden main window and its message loop.
#include <windows.h>

#include "app/comctl.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using tavrik::app::TTavrikForm;
    // A copy is running: leave at once, showing, writing and registering nothing.
    if (FindWindowW(TTavrikForm::kClassName, nullptr)) return 0;
    // Two starts at the same instant both miss the window; only one of them gets the mutex.
    tavrik::app::UniqueHandle instance(CreateMutexW(nullptr, TRUE, L"Local\\Tavrik.SingleInstance"));
    if (!instance || (GetLastError() == ERROR_ALREADY_EXISTS && !WaitForEndingCopy(instance.Get()))) return 0;

    // The common controls and OLE are started when the window first needs them (app/comctl.h).
    int exitCode = 0;
    {
        TTavrikForm form(tavrik::app::ProcessEnvironment());
        if (!form.Create()) {
            exitCode = 1;
        } else {
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (form.PreTranslate(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    tavrik::app::comctl::EndOle();
    (void)ReleaseMutex(instance.Get());  // a copy waiting to start goes on at once
    return exitCode;
}
