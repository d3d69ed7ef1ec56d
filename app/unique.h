// (Win32) One move-only owner for every kind of Windows handle, and guards for calls that come in pairs.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

#include "app/comctl.h"

namespace tavrik::app {

template <typename Traits>
class Unique {
public:
    using Handle = typename Traits::Handle;

    Unique() noexcept = default;
    explicit Unique(Handle h) noexcept : h_(h) {}
    Unique(Unique&& other) noexcept : h_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Handle Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
    Handle Release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) noexcept {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
// Handles whose failure value is null.
template <typename H>
struct NullInvalid {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
};
struct KernelTraits : NullInvalid<HANDLE> {  // mutexes, events, processes
    static void Close(Handle h) { CloseHandle(h); }
};
struct KeyTraits : NullInvalid<HKEY> {
    static void Close(Handle h) { RegCloseKey(h); }
};
struct FontTraits : NullInvalid<HFONT> {
    static void Close(Handle h) { DeleteObject(h); }
};
struct DcTraits : NullInvalid<HDC> {  // device contexts made with CreateDC
    static void Close(Handle h) { DeleteDC(h); }
};
struct GdiObjectTraits : NullInvalid<HGDIOBJ> {  // bitmaps, brushes, pens
    static void Close(Handle h) { DeleteObject(h); }
};
// An icon loaded without LR_SHARED; LoadIcon's and LR_SHARED ones belong to the system.
struct IconTraits : NullInvalid<HICON> {
    static void Close(Handle h) { DestroyIcon(h); }
};
// A menu no window holds: a menu bar or a submenu goes with its window or its parent menu.
struct MenuTraits : NullInvalid<HMENU> {
    static void Close(Handle h) { DestroyMenu(h); }
};
struct ImageListTraits : NullInvalid<HIMAGELIST> {
    static void Close(Handle h) { comctl::ImageList_Destroy(h); }
};
struct AcceleratorTraits : NullInvalid<HACCEL> {
    static void Close(Handle h) { DestroyAcceleratorTable(h); }
};

using UniqueFile = Unique<FileTraits>;
using UniqueHandle = Unique<KernelTraits>;
using UniqueKey = Unique<KeyTraits>;
using UniqueFont = Unique<FontTraits>;
using UniqueDc = Unique<DcTraits>;
using UniqueGdiObject = Unique<GdiObjectTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueImageList = Unique<ImageListTraits>;
using UniqueAccelerators = Unique<AcceleratorTraits>;

// A window's (or, for null, the screen's) device context from GetDC, given back to the same window.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (hdc_) ReleaseDC(hwnd_, hdc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const noexcept { return hdc_; }
    explicit operator bool() const noexcept { return hdc_ != nullptr; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// The context's objects, colours and modes as they were, whatever is selected meanwhile.
class SavedDc {
public:
    explicit SavedDc(HDC hdc) noexcept : hdc_(hdc), saved_(SaveDC(hdc)) {}
    ~SavedDc() {
        if (saved_) RestoreDC(hdc_, saved_);
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC hdc_;
    int saved_;
};

// Global memory (clipboard data, printer settings) locked for reading or writing, unlocked at the end.
template <typename T>
class GlobalLocked {
public:
    explicit GlobalLocked(HGLOBAL memory) : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
    ~GlobalLocked() {
        if (data_) GlobalUnlock(memory_);
    }
    GlobalLocked(const GlobalLocked&) = delete;
    GlobalLocked& operator=(const GlobalLocked&) = delete;
    T* Get() const { return data_; }
    size_t Bytes() const { return data_ ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    T* data_;
};

}  // namespace tavrik::app
