// The least a note pad can do at start: one hidden window holding one rich-edit control, and
// its message loop. The start-up benchmark measures tavrik.exe against this.
#include <windows.h>
#include <richedit.h>

namespace {

constexpr wchar_t kClassName[] = L"TavrikFloor";

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_CREATE:
        // The control Tavrik's pages use, made the same way: a child filling the window.
        if (!CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 0,
                             0, 400, 100, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr))
            return -1;
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const HMODULE richEdit = LoadLibraryW(L"Msftedit.dll");  // kept for the whole run
    if (!richEdit) return 2;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 3;
    // Hidden, like Tavrik at start.
    if (!CreateWindowExW(0, kClassName, L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 418, 143,
                         nullptr, nullptr, instance, nullptr))
        return 4;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
