// The packed hot key of the settings file <-> what RegisterHotKey takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The English name of a key as keyboards label it ("Scroll Lock", "F12", "N"); nullopt for keys
// whose label depends on the keyboard layout.
std::optional<std::u16string_view> KnownKeyName(std::uint32_t virtualKey);

// "Ctrl+Shift+N", "Scroll Lock": the modifiers, then the key's known name or else `otherName`
// (what the keyboard layout calls it). Empty when no key is packed.
std::u16string HotKeyName(std::int32_t packed, std::u16string_view otherName = {});

}  // namespace tavrik::window
