// (Win32) The page tabs' picture: drawn by the control itself into a bitmap, given back while
// no message could have changed the look, drawn again after one.
#include "options/tab_picture.h"

#include <array>

#include "app/comctl.h"
#include "app/dib.h"
#include "app/dyn_api.h"
#include "app/unique.h"
#include "options/options_rules.h"
#include "ui/dark_mode.h"

namespace tavrik::options {
namespace {

using app::UniqueDc;
using app::UniqueGdiObject;

// The system colours a classic tab strip is drawn in: a change reaches the dialog, not its controls.
constexpr std::array kColours = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW,
                                 COLOR_3DLIGHT, COLOR_HOTLIGHT, COLOR_GRAYTEXT};

struct Picture {
    UniqueGdiObject bitmap;
    SIZE size{};
    std::array<COLORREF, kColours.size()> colours{};
    bool valid = false;
};

std::array<COLORREF, kColours.size()> SystemColours() {
    std::array<COLORREF, kColours.size()> colours{};
    for (size_t i = 0; i < kColours.size(); ++i) colours[i] = GetSysColor(kColours[i]);
    return colours;
}

// The control draws into the bitmap as it would on screen: over its parent's background, which
// the parent paints there first, as it does under the control on screen.
bool Redraw(HWND tabs, Picture& picture, HDC screen, SIZE size) {
    if (!picture.bitmap || picture.size.cx != size.cx || picture.size.cy != size.cy) {
        // A DIB section: its pixels are its own, given back in one piece; under Wine a compatible
        // bitmap's come from a heap that keeps them.
        void* bits = nullptr;
        picture.bitmap.Reset(app::CreateDib32(screen, size.cx, size.cy, &bits));
        picture.size = size;
    }
    const UniqueDc memory(CreateCompatibleDC(screen));
    if (!picture.bitmap || !memory) return false;
    const HGDIOBJ old = SelectObject(memory.Get(), picture.bitmap.Get());
    RECT all{0, 0, size.cx, size.cy};
    using Fn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
    static const Fn parentBackground = app::LookUp<Fn>(L"uxtheme.dll", "DrawThemeParentBackground");
    if (!parentBackground || FAILED(parentBackground(tabs, memory.Get(), &all)))
        FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    SelectObject(memory.Get(), old);
    picture.colours = SystemColours();
    picture.valid = true;
    return true;
}

SIZE ClientSize(HWND tabs) {
    RECT client{};
    GetClientRect(tabs, &client);
    return {client.right, client.bottom};
}

// False when the picture cannot be had: the control then draws itself.
bool Ensure(HWND tabs, Picture& picture, HDC dc, SIZE size) {
    if (size.cx <= 0 || size.cy <= 0) return false;
    if (picture.size.cx != size.cx || picture.size.cy != size.cy || picture.colours != SystemColours())
        picture.valid = false;
    return picture.valid || Redraw(tabs, picture, dc, size);
}

bool Show(HWND tabs, Picture& picture, HDC dc) {
    const SIZE size = ClientSize(tabs);
    if (!Ensure(tabs, picture, dc, size)) return false;
    const UniqueDc memory(CreateCompatibleDC(dc));
    if (!memory) return false;
    const HGDIOBJ old = SelectObject(memory.Get(), picture.bitmap.Get());
    const bool shown = BitBlt(dc, 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY) != FALSE;
    SelectObject(memory.Get(), old);
    return shown;
}

LRESULT CALLBACK PictureProc(HWND tabs, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) noexcept {
    auto* picture = reinterpret_cast<Picture*>(data);
    if (msg == WM_NCDESTROY) {
        app::comctl::RemoveWindowSubclass(tabs, PictureProc, id);
        delete picture;
        return app::comctl::DefSubclassProc(tabs, msg, wp, lp);
    }
    // Dark, the tabs are ours to draw already; a paint into a given DC is someone's copy.
    if (msg == WM_PAINT && !wp && !ui::CurrentTheme().dark) {
        PAINTSTRUCT ps{};
        const HDC dc = BeginPaint(tabs, &ps);
        const bool shown = dc && Show(tabs, *picture, dc);
        EndPaint(tabs, &ps);
        if (shown) return 0;
        picture->valid = false;
        InvalidateRect(tabs, nullptr, TRUE);  // drawn by the control itself, at once
        return app::comctl::DefSubclassProc(tabs, msg, wp, lp);
    }
    if (!KeepsTabPicture(msg)) picture->valid = false;
    return app::comctl::DefSubclassProc(tabs, msg, wp, lp);
}

}  // namespace

void KeepTabPicture(HWND tabs) {
    auto* picture = new Picture;
    if (!app::comctl::SetWindowSubclass(tabs, PictureProc, 0, reinterpret_cast<DWORD_PTR>(picture))) delete picture;
}

}  // namespace tavrik::options
