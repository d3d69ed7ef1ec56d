// (Win32) Common controls and OLE, started when first needed.
#include "app/comctl.h"

#include <ole2.h>

namespace tavrik::app::comctl {
namespace {

HMODULE Library() {
    static const HMODULE module = LoadLibraryW(L"comctl32.dll");
    return module;
}

template <typename Fn>
Fn Get(const char* name) {
    const HMODULE module = Library();
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// SetWindowSubclass and its kin are exported by ordinal only on older systems.
template <typename Fn>
Fn GetByOrdinal(const char* name, WORD ordinal) {
    if (Fn fn = Get<Fn>(name)) return fn;
    const HMODULE module = Library();
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))))
                  : nullptr;
}

bool g_oleStarted = false;

}  // namespace

bool Load() {
    using Fn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool loaded = [] {
        const Fn init = Get<Fn>("InitCommonControlsEx");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES |
                                                              ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS |
                                                              ICC_LISTVIEW_CLASSES};
        return init && init(&controls);
    }();
    return loaded;
}

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    using Fn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
    static const Fn fn = GetByOrdinal<Fn>("SetWindowSubclass", 410);
    return fn ? fn(hwnd, proc, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
    using Fn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
    static const Fn fn = GetByOrdinal<Fn>("RemoveWindowSubclass", 412);
    return fn ? fn(hwnd, proc, id) : FALSE;
}

LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    using Fn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    static const Fn fn = GetByOrdinal<Fn>("DefSubclassProc", 413);
    return fn ? fn(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    using Fn = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
    static const Fn fn = Get<Fn>("ImageList_Create");
    return fn ? fn(cx, cy, flags, initial, grow) : nullptr;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    using Fn = int(WINAPI*)(HIMAGELIST, HBITMAP, HBITMAP);
    static const Fn fn = Get<Fn>("ImageList_Add");
    return fn ? fn(list, image, mask) : -1;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    using Fn = BOOL(WINAPI*)(HIMAGELIST);
    static const Fn fn = Get<Fn>("ImageList_Destroy");
    return fn ? fn(list) : FALSE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    using Fn = BOOL(WINAPI*)(HIMAGELIST, int, HDC, int, int, UINT);
    static const Fn fn = Get<Fn>("ImageList_Draw");
    return fn ? fn(list, index, dc, x, y, style) : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    using Fn = int(WINAPI*)(HIMAGELIST);
    static const Fn fn = Get<Fn>("ImageList_GetImageCount");
    return fn ? fn(list) : 0;
}

void EnsureOle() {
    if (!g_oleStarted) g_oleStarted = SUCCEEDED(OleInitialize(nullptr));
}

void EndOle() {
    if (g_oleStarted) OleUninitialize();
    g_oleStarted = false;
}

}  // namespace tavrik::app::comctl
