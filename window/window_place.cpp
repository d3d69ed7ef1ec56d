// The rules of the window's place on the monitors.
#include "window/window_place.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavrik::window {
namespace {

bool Overlaps(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Between the nearest points of the two rects, as the system measures "nearest monitor".
std::int64_t Distance2(const Rect& a, const Rect& b) {
    const std::int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

int Scale(int value, unsigned to, unsigned from) {
    if (from == 0 || to == 0) return value;
    const std::int64_t scaled = static_cast<std::int64_t>(value) * to;
    // Rounded half away from zero, so a ratio and its inverse come back to the same pixel.
    const std::int64_t half = from / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / from : -((-scaled + half) / from));
}

}  // namespace

Rect FitInto(Rect window, Rect work) {
    const int width = std::min(window.Width(), work.Width());
    const int height = std::min(window.Height(), work.Height());
    const int left = std::clamp(window.left, work.left, work.right - width);
    const int top = std::clamp(window.top, work.top, work.bottom - height);
    return {left, top, left + width, top + height};
}

std::optional<Rect> PlaceOffEveryMonitor(Rect window, std::span<const Monitor> monitors) {
    if (monitors.empty()) return std::nullopt;  // cannot tell: the place stays as read
    const Monitor* nearest = nullptr;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const Monitor& monitor : monitors) {
        if (Overlaps(window, monitor.area)) return std::nullopt;
        if (const std::int64_t d = Distance2(window, monitor.area); d < best) {
            best = d;
            nearest = &monitor;
        }
    }
    return FitInto(window, nearest->work);
}

Rect PlaceOnMonitor(Rect window, const Monitor& from, const Monitor& to) {
    const int left = to.work.left + Scale(window.left - from.work.left, to.dpi, from.dpi);
    const int top = to.work.top + Scale(window.top - from.work.top, to.dpi, from.dpi);
    const Rect scaled{left, top, left + Scale(window.Width(), to.dpi, from.dpi),
                      top + Scale(window.Height(), to.dpi, from.dpi)};
    return FitInto(scaled, to.work);
}

}  // namespace tavrik::window
