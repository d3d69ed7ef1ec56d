// Any bytes as a page file: the reader must give some text without a fault, in both modes, and
// never more UTF-16 units than there were bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "search/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const bool plainMode : {false, true}) {
        const std::u16string text = tavrik::search::ReadPageText(bytes, plainMode, 1251);
        if (text.size() > size) std::abort();
    }
    if (tavrik::search::RtfPlainText(bytes).size() > size) std::abort();
    return 0;
}
