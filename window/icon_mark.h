// The mark the tray icon carries while the clipboard is being caught, drawn into the icon's pixels.
#pragma once

#include <cstdint>
#include <span>

namespace tavrik::window {

inline constexpr std::uint32_t kMarkFill = 0xFFE0281Eu;  // opaque red, 0xAARRGGBB
inline constexpr std::uint32_t kMarkRing = 0xFFFFFFFFu;  // opaque white, to part it from any icon

// `pixels`: a square icon of `size` rows, top row first, each pixel 0xAARRGGBB with straight
// alpha. `maskShows`: one byte per pixel, non-zero where the icon's AND mask lets the colour show;
// it is used only when no pixel has alpha (an icon drawn through its mask). A red dot in a white
// ring goes in the lower right corner, about seven pixels wide at 16.
void MarkIconPixels(std::span<std::uint32_t> pixels, int size, std::span<const std::uint8_t> maskShows);

}  // namespace tavrik::window
