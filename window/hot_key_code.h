// The packed hot key of the settings file <-> what RegisterHotKey takes.
#pragma once

#include <cstdint>

namespace tavrik::window {

// Packed as menu shortcuts are: low byte the virtual key, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
inline constexpr std::int32_t kPackedShift = 0x2000;
inline constexpr std::int32_t kPackedCtrl = 0x4000;
inline constexpr std::int32_t kPackedAlt = 0x8000;

// The modifier bits of RegisterHotKey.
inline constexpr std::uint32_t kModAlt = 1;
inline constexpr std::uint32_t kModCtrl = 2;
inline constexpr std::uint32_t kModShift = 4;

struct HotKeyParts {
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;
    bool operator==(const HotKeyParts&) const = default;
};

HotKeyParts UnpackHotKey(std::int32_t packed);

}  // namespace tavrik::window
