// (Win32) The common controls library, loaded when the window first needs its controls rather than with
// the program: nothing of it is needed to start hidden.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tavrik::app::comctl {

// Loads the library and registers its window classes; false when the system has none.
bool Load();

BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
BOOL ImageList_Destroy(HIMAGELIST list);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
int ImageList_GetImageCount(HIMAGELIST list);

// OLE, for embedded objects and dragging in the page editors, started with the first editor.
void EnsureOle();
void EndOle();

}  // namespace tavrik::app::comctl
