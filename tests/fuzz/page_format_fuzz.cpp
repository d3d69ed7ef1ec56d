// Any bytes as a page file or a saved leftover: the format and encoding are told without a fault,
// and a whole rich document is always taken for rich text.
#include <string>

#include "pages/page_format.h"
#include "pages/save_leftovers.h"
#include "tests/fuzz/fuzz_input.h"

using namespace tavrik::pages;
using tavrik::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = tavrik::fuzz::Bytes(data, size);
    if (LooksLikeWholeRtf(bytes)) Expect(LooksLikeRtf(bytes));
    (void)LooksLikeWholeRtf(tavrik::fuzz::Text(bytes));
    const TextBody body = SplitByteOrderMark(bytes);
    Expect(body.body.data() >= bytes.data() && body.body.data() + body.body.size() == bytes.data() + bytes.size());
    (void)IsUtf8BeyondAscii(body.body);
    (void)IsWholePageDocument(bytes, false);
    (void)IsWholePageDocument(bytes, true);
    return 0;
}
