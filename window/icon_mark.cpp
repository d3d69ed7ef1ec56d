// The catching mark on the tray icon.
#include "window/icon_mark.h"

#include <algorithm>

namespace tavrik::window {

void MarkIconPixels(std::span<std::uint32_t> pixels, int size, std::span<const std::uint8_t> maskShows) {
    if (size <= 0 || pixels.size() < static_cast<std::size_t>(size) * static_cast<std::size_t>(size)) return;
    const std::size_t count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    // An icon without alpha shows through its mask; once one pixel of ours has alpha, Windows
    // goes by alpha alone, so the rest of the icon needs its own.
    const bool hasAlpha = std::any_of(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(count),
                                      [](std::uint32_t p) { return (p >> 24) != 0; });
    if (!hasAlpha) {
        for (std::size_t i = 0; i < count; ++i) {
            const bool shows = i < maskShows.size() && maskShows[i] != 0;
            pixels[i] = shows ? (pixels[i] | 0xFF000000u) : 0;
        }
    }
    const int diameter = std::max(5, (size * 7 + 8) / 16);
    const int ring = std::max(1, size / 16);
    // Measured in half pixels, so the dot's centre may fall between two pixels.
    const int centre2 = 2 * size - diameter;
    const int outer2 = diameter * diameter;  // (2r)^2 with r = diameter / 2
    const int inner2 = (diameter - 2 * ring) * (diameter - 2 * ring);
    for (int y = size - diameter; y < size; ++y) {
        for (int x = size - diameter; x < size; ++x) {
            const int dx = 2 * x + 1 - centre2, dy = 2 * y + 1 - centre2;
            const int distance2 = dx * dx + dy * dy;
            if (distance2 > outer2) continue;
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)] =
                distance2 <= inner2 ? kMarkFill : kMarkRing;
        }
    }
}

}  // namespace tavrik::window
