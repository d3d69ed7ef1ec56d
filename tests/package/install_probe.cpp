// The release tests' hands inside Wine: waits for the running Tavrik's window and types into its
// page without saving. install_probe wait | type <text> | gone; exit code 0 when it worked.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

namespace {

constexpr const wchar_t* kClassName = L"TTavrikForm";  // the program's window class

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 30000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end) return false;
        Sleep(100);
    }
    return true;
}

HWND ShownEditor(HWND window) {
    const HWND tab = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    if (!tab) return nullptr;
    for (HWND editor = FindWindowExW(tab, nullptr, L"RICHEDIT50W", nullptr); editor;
         editor = FindWindowExW(tab, editor, L"RICHEDIT50W", nullptr)) {
        // The window may be hidden again by now: look at the editor's own style.
        if (GetWindowLongW(editor, GWL_STYLE) & WS_VISIBLE) return editor;
    }
    return nullptr;
}

std::wstring TextOf(HWND editor) {
    std::wstring text(4096, L'\0');
    DWORD_PTR n = 0;
    SendMessageTimeoutW(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000, &n);
    text.resize(n);
    return text;
}

// Characters posted to the editor arrive as typing does: the page changes and is not yet saved.
bool Type(std::wstring_view text) {
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = FindWindowW(kClassName, nullptr)) != nullptr; })) return false;
    HWND editor = nullptr;
    // The page is read when the window first comes up, as the hot key brings it.
    PostMessageW(window, WM_HOTKEY, 1, 0);
    if (!WaitFor([&] { return (editor = ShownEditor(window)) != nullptr; })) return false;
    for (wchar_t c : text) PostMessageW(editor, WM_CHAR, c, 1);
    return WaitFor([&] { return TextOf(editor).find(text) != std::wstring::npos; });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"wait") return WaitFor([] { return FindWindowW(kClassName, nullptr) != nullptr; }) ? 0 : 1;
    if (command == L"gone") return WaitFor([] { return FindWindowW(kClassName, nullptr) == nullptr; }) ? 0 : 1;
    if (command == L"type" && argc > 2) return Type(argv[2]) ? 0 : 1;
    std::fputws(L"install_probe wait | type <text> | gone\n", stderr);
    return 2;
}
