// Hot key packing and naming.
#include "window/hot_key_code.h"

namespace tavrik::window {
namespace {

struct NamedKey {
    std::uint32_t virtualKey;
    std::u16string_view name;
};

// The keys a hot key is usually put on; the names are those printed on most keyboards.
constexpr NamedKey kNamedKeys[] = {
    {0x08, u"Backspace"},  {0x09, u"Tab"},        {0x0D, u"Enter"},     {0x13, u"Pause"},
    {0x14, u"Caps Lock"},  {0x1B, u"Esc"},        {0x20, u"Space"},     {0x21, u"Page Up"},
    {0x22, u"Page Down"},  {0x23, u"End"},        {0x24, u"Home"},      {0x25, u"Left"},
    {0x26, u"Up"},         {0x27, u"Right"},      {0x28, u"Down"},      {0x2C, u"Print Screen"},
    {0x2D, u"Insert"},     {0x2E, u"Delete"},     {0x5D, u"Menu"},      {0x6A, u"Num *"},
    {0x6B, u"Num +"},      {0x6D, u"Num -"},      {0x6E, u"Num Del"},   {0x6F, u"Num /"},
    {0x90, u"Num Lock"},   {0x91, u"Scroll Lock"},
};

constexpr std::u16string_view kDigits = u"0123456789";

}  // namespace

HotKeyParts UnpackHotKey(std::int32_t packed) {
    HotKeyParts parts;
    if (packed & kPackedShift) parts.modifiers += kModShift;
    if (packed & kPackedCtrl) parts.modifiers += kModCtrl;
    if (packed & kPackedAlt) parts.modifiers += kModAlt;
    parts.virtualKey = static_cast<std::uint32_t>(packed) & 0xFF;
    return parts;
}

std::optional<std::u16string_view> KnownKeyName(std::uint32_t virtualKey) {
    static constexpr std::u16string_view kLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static constexpr std::u16string_view kFunctionKeys[] = {
        u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",  u"F9",  u"F10", u"F11", u"F12",
        u"F13", u"F14", u"F15", u"F16", u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24"};
    static constexpr std::u16string_view kNumPad[] = {u"Num 0", u"Num 1", u"Num 2", u"Num 3", u"Num 4",
                                                      u"Num 5", u"Num 6", u"Num 7", u"Num 8", u"Num 9"};
    if (virtualKey >= '0' && virtualKey <= '9') return kDigits.substr(virtualKey - '0', 1);
    if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetters.substr(virtualKey - 'A', 1);
    if (virtualKey >= 0x60 && virtualKey <= 0x69) return kNumPad[virtualKey - 0x60];
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return kFunctionKeys[virtualKey - 0x70];
    for (const NamedKey& key : kNamedKeys)
        if (key.virtualKey == virtualKey) return key.name;
    return std::nullopt;
}

std::u16string HotKeyName(std::int32_t packed, std::u16string_view otherName) {
    const std::uint32_t virtualKey = static_cast<std::uint32_t>(packed) & 0xFF;
    if (virtualKey == 0) return {};
    std::u16string name;
    // The order Windows itself shows in menus and the hot key control.
    if (packed & kPackedCtrl) name += u"Ctrl+";
    if (packed & kPackedAlt) name += u"Alt+";
    if (packed & kPackedShift) name += u"Shift+";
    const std::optional<std::u16string_view> known = KnownKeyName(virtualKey);
    if (!known && otherName.empty()) return {};  // a bare "Ctrl+" would name no key
    name += known ? *known : otherName;
    return name;
}

}  // namespace tavrik::window
