// Any text as the HotKey setting: it unpacks to a virtual key and modifiers without a fault, and
// the Options dialog's hot key control gives back the packed value it was shown.
#include <string>

#include "options/options_rules.h"
#include "settings/ini_value.h"
#include "settings/parameters.h"
#include "tests/fuzz/fuzz_input.h"
#include "window/hot_key_code.h"

using namespace tavrik;
using tavrik::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzz::Text(fuzz::Bytes(data, size));
    const std::int32_t packed = settings::IntOr(text, settings::kDefaultHotKey);
    const window::HotKeyParts parts = window::UnpackHotKey(packed);
    Expect(parts.virtualKey <= 0xFF && parts.modifiers <= (window::kModAlt | window::kModCtrl | window::kModShift));
    const std::int32_t meaningful = packed & (0xFF | window::kPackedShift | window::kPackedCtrl | window::kPackedAlt);
    Expect(options::PackedFromControl(options::ControlFromPacked(packed)) == meaningful);
    return 0;
}
