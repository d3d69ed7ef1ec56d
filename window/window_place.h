// Where the main window goes when it is shown: onto a monitor that is there, or onto the one under
// the mouse pointer.
#pragma once

#include <optional>
#include <span>

namespace tavrik::window {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Monitor {
    Rect area;  // the whole monitor
    Rect work;  // without the taskbar
    unsigned dpi = 96;
};

// The rect moved, and shrunk where it is larger, so that it lies inside the work area.
Rect FitInto(Rect window, Rect work);

// A place that touches no monitor (one unplugged since) goes onto the nearest one; nullopt: it
// stays where it is.
std::optional<Rect> PlaceOffEveryMonitor(Rect window, std::span<const Monitor> monitors);

// The same place relative to the other monitor's work area, in that monitor's DPI: offset and size
// scaled by the ratio of the DPIs, then fitted into the work area.
Rect PlaceOnMonitor(Rect window, const Monitor& from, const Monitor& to);

}  // namespace tavrik::window
