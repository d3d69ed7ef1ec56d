// (Win32) ShellExecuteW, looked up when first needed.
#include "app/shell_open.h"

#include <shellapi.h>

#include <string>
#include <utility>

namespace tavrik::app {
namespace {
ShellOpenHook& Hook() {
    static ShellOpenHook hook;
    return hook;
}
}  // namespace

void SetShellOpenHook(ShellOpenHook hook) { Hook() = std::move(hook); }

void ShellOpen(HWND owner, std::wstring_view target) {
    if (Hook()) {
        Hook()(owner, target);
        return;
    }
    // The shell library is large to load, and only a few commands need it.
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static const HMODULE shell = LoadLibraryW(L"shell32.dll");
    static const Fn shellExecute =
        shell ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW"))) : nullptr;
    if (shellExecute) (void)shellExecute(owner, nullptr, std::wstring(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool ShellOpenQuietly(HWND owner, std::wstring_view target) {
    if (Hook()) return Hook()(owner, target);
    using Fn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static const HMODULE shell = LoadLibraryW(L"shell32.dll");
    static const Fn shellExecuteEx =
        shell ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExW"))) : nullptr;
    if (!shellExecuteEx) return false;
    const std::wstring file(target);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return shellExecuteEx(&info) != FALSE;
}

}  // namespace tavrik::app
