// (Win32) Names, roles and states of the window's parts for screen readers: a window answers
// WM_GETOBJECT with an object of ours over the system's own, which adds the parts we draw inside
// it and names the window where the system has no name for it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tavrik::ui {

// One part drawn inside a window: a toolbar button, a tab, a chevron.
struct AccessPart {
    std::wstring name;
    long role = 0;
    std::uint32_t state = 0;
    RECT screen{};        // where it lies on the screen
    std::wstring action;  // what pressing it does; empty: nothing
};

struct AccessDescription {
    std::function<std::wstring()> name;  // of the window; none: the system's
    long role = 0;                       // of the window; 0: the system's
    // The parts drawn inside; without them the window's children are the system's.
    std::function<std::size_t()> count;
    std::function<AccessPart(std::size_t)> part;
    std::function<void(std::size_t)> press;
};

// The window is described so from now on, until it is destroyed. Nothing is loaded until a reader
// asks: oleacc.dll comes with the first question.
void DescribeForReaders(HWND hwnd, AccessDescription description);

// The tab strip: each tab a page tab named by its caption, the selected one marked; a reader's
// press selects it as a click does. `name` names the strip.
void DescribeTabStrip(HWND tabs, std::function<std::wstring()> name, std::function<std::wstring()> switchAction);

// The one list of a small dialog, named by the dialog's caption: no label stands just before it.
void NameListAfterDialog(HWND list);

// Tells readers that the part (0-based) is now the selected one, or was renamed.
void AnnounceSelected(HWND hwnd, int part);
void AnnounceRenamed(HWND hwnd, int part);

}  // namespace tavrik::ui
