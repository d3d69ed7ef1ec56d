// Another program on the clipboard, for the catching tests:
//   copy-text <text>      copy-secret <text>     copy-bitmap     copy-files
//   copy-marked <text> <format> <value>   with a DWORD format, as private copies are marked
//   copy-texts <ms> <text>...   each text in turn, <ms> apart
//   viewer <file> <ms> [<slow ms>]   joins the viewer chain, counts change notices for <ms>, writes
//                         the count; with <slow ms>, takes that long over each notice
#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <string>

#include "scratch_files.h"

namespace {

HGLOBAL Global(const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    return memory;
}

bool Open() {
    for (int i = 0; i < 50; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

// The text, with a DWORD format of that name when one is given.
int CopyText(const std::wstring& text, const wchar_t* marker = nullptr, DWORD value = 0) {
    if (!Open()) return 2;
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, Global(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
    if (marker) SetClipboardData(RegisterClipboardFormatW(marker), Global(&value, 4));
    CloseClipboard();
    return 0;
}

int CopyBitmap() {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT rc{0, 0, 16, 16};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (!Open()) return 2;
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
    return 0;
}

int CopyFiles() {
    const wchar_t files[] = L"C:\\a.txt\0";
    std::string drop(sizeof(DROPFILES), '\0');
    auto* header = reinterpret_cast<DROPFILES*>(drop.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    drop.append(reinterpret_cast<const char*>(files), sizeof files);
    if (!Open()) return 2;
    EmptyClipboard();
    SetClipboardData(CF_HDROP, Global(drop.data(), drop.size()));
    CloseClipboard();
    return 0;
}

HWND g_next = nullptr;
int g_notices = 0;
DWORD g_slowMs = 0;

LRESULT CALLBACK ViewerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        ++g_notices;
        if (g_slowMs) Sleep(g_slowMs);
        if (g_next) SendMessageW(g_next, msg, wp, lp);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wp) == g_next) g_next = reinterpret_cast<HWND>(lp);
        else if (g_next) SendMessageW(g_next, msg, wp, lp);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int Viewer(const std::wstring& file, DWORD ms) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ViewerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrikTestViewer";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    g_next = SetClipboardViewer(hwnd);
    g_notices = 0;  // the notice of joining is not a copy
    // Say we are in the chain: the test copies only after this file exists.
    (void)tavrik::test::WriteFileBytes(file + L".ready", "ready");
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    ChangeClipboardChain(hwnd, g_next);
    (void)tavrik::test::WriteFileBytes(file + L".tmp", std::to_string(g_notices));
    MoveFileExW((file + L".tmp").c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 1;
    const std::wstring command = argv[1];
    if (command == L"copy-text" && argc > 2) return CopyText(argv[2]);
    if (command == L"copy-secret" && argc > 2) return CopyText(argv[2], L"ExcludeClipboardContentFromMonitorProcessing");
    if (command == L"copy-marked" && argc > 4) return CopyText(argv[2], argv[3], static_cast<DWORD>(_wtoi(argv[4])));
    if (command == L"copy-bitmap") return CopyBitmap();
    if (command == L"copy-files") return CopyFiles();
    if (command == L"copy-texts" && argc > 3) {
        for (int i = 3; i < argc; ++i) {
            if (i > 3) Sleep(static_cast<DWORD>(_wtoi(argv[2])));
            if (const int failed = CopyText(argv[i])) return failed;
        }
        return 0;
    }
    if (command == L"viewer" && argc > 3) {
        if (argc > 4) g_slowMs = static_cast<DWORD>(_wtoi(argv[4]));
        return Viewer(argv[2], static_cast<DWORD>(_wtoi(argv[3])));
    }
    return 1;
}
