// Any bytes as copied or pasted Russian text: the code page detection and the recoding of pasted
// text keep the text's length, and every code page table is whole.
#include <string>

#include "editor/cyrillic_detect.h"
#include "editor/paste_text.h"
#include "pages/code_pages.h"
#include "tests/fuzz/fuzz_input.h"

using namespace tavrik;
using tavrik::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    Expect(editor::CodePageDetect(std::string(bytes)).size() == size);
    const std::u16string text = fuzz::Text(bytes);
    Expect(editor::RecodePastedText(text).size() == text.size());
    if (size >= 2) {
        const int number = (data[0] << 8) | data[1];
        if (const pages::HighHalf* table = pages::CodePageTable(number)) Expect(table->size() == 128);
        (void)pages::CharsetCodePage(data[0]);
    }
    return 0;
}
