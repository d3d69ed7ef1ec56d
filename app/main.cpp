// Program entry: one copy only, then the hidden main window and its message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/tavrik_form.h"
#include "app/unique.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using tavrik::app::TTavrikForm;
    // A copy is running: leave at once, showing, writing and registering nothing.
    if (FindWindowW(TTavrikForm::kClassName, nullptr)) return 0;
    // Two starts at the same instant both miss the window; only one of them gets the mutex.
    tavrik::app::UniqueHandle instance(CreateMutexW(nullptr, TRUE, L"Local\\Tavrik.SingleInstance"));
    if (!instance || GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HRESULT ole = OleInitialize(nullptr);  // embedded objects and drag and drop in pages

    int exitCode = 0;
    {
        TTavrikForm form(tavrik::app::ProcessEnvironment());
        if (!form.Create()) {
            exitCode = 1;
        } else {
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (form.Accelerators() && TranslateAcceleratorW(form.Handle(), form.Accelerators(), &msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return exitCode;
}
