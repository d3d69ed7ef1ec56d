// Any value of section Pages: it decodes without a fault to an entry that encodes and decodes to itself.
#include <string>

#include "pages/page_entry.h"
#include "settings/parameters.h"
#include "tests/fuzz/fuzz_input.h"

using namespace tavrik::pages;
using tavrik::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = tavrik::fuzz::Text(tavrik::fuzz::Bytes(data, size));
    const PageEntry entry = DecodePageEntry(text, PageDefaults{});
    Expect(tavrik::settings::IsFontSize(entry.fontSize));
    Expect(DecodePageEntry(EncodePageEntry(entry), PageDefaults{}) == entry);
    return 0;
}
