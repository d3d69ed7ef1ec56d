// Default window sizes scaled to the monitor.
#include "window/default_size.h"

namespace tavrik::window {

std::int32_t ScaleDefaultSize(std::int32_t at96, unsigned dpi) {
    if (dpi == 0) return at96;
    // Halves round up, as MulDiv does with the positive sizes here.
    constexpr std::int64_t kDesigned = 96;
    const std::int64_t scaled = (static_cast<std::int64_t>(at96) * dpi * 2 + kDesigned) / (kDesigned * 2);
    return static_cast<std::int32_t>(scaled);
}

}  // namespace tavrik::window
