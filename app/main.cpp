// Program entry: one copy only, then the hidden main window and its message loop.
#include <windows.h>

#include "app/comctl.h"
#include "app/tavrik_form.h"
#include "app/unique.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using tavrik::app::TTavrikForm;
    // A copy is running: leave at once, showing, writing and registering nothing.
    if (FindWindowW(TTavrikForm::kClassName, nullptr)) return 0;
    // Two starts at the same instant both miss the window; only one of them gets the mutex.
    tavrik::app::UniqueHandle instance(CreateMutexW(nullptr, TRUE, L"Local\\Tavrik.SingleInstance"));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS) return 0;

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
    return exitCode;
}
