// Hot key packing.
#include "window/hot_key_code.h"

namespace tavrik::window {

HotKeyParts UnpackHotKey(std::int32_t packed) {
    HotKeyParts parts;
    if (packed & kPackedShift) parts.modifiers += kModShift;
    if (packed & kPackedCtrl) parts.modifiers += kModCtrl;
    if (packed & kPackedAlt) parts.modifiers += kModAlt;
    parts.virtualKey = static_cast<std::uint32_t>(packed) & 0xFF;
    return parts;
}

}  // namespace tavrik::window
