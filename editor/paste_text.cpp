// Unicode text through the Windows-1251 code page detection and back.
#include "editor/paste_text.h"

#include <array>
#include <optional>
#include <vector>

#include "editor/cyrillic_detect.h"
#include "pages/code_pages.h"

namespace tavrik::editor {
namespace {

const pages::HighHalf& HighHalf() {
    static const pages::HighHalf& table = *pages::CodePageTable(1251);
    return table;
}

std::optional<unsigned char> ToCp1251(char16_t c) {
    if (c < 0x80) return static_cast<unsigned char>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<unsigned char>(c - 0x0410 + 0xC0);
    const pages::HighHalf& table = HighHalf();
    for (unsigned i = 0; i < 0x40; ++i)
        if (table[i] == c) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

}  // namespace

char16_t FromCp1251(unsigned char byte) { return byte < 0x80 ? byte : HighHalf()[byte - 0x80]; }

std::u16string RecodePastedText(std::u16string_view text) {
    if (text.empty()) return {};
    // A character outside Windows-1251 reaches the detection as "?", as it would through the
    // ANSI clipboard of a Russian system, and comes back as itself.
    std::string bytes(text.size(), '?');
    std::vector<bool> foreign(text.size(), false);
    for (size_t i = 0; i < text.size(); ++i) {
        if (auto byte = ToCp1251(text[i])) bytes[i] = static_cast<char>(*byte);
        else foreign[i] = true;
    }
    const TrialPair chosen = ChooseTrial(CountBytes(bytes), bytes.size());
    if (chosen == TrialPair{}) return std::u16string(text);
    const RecodeMap map = MapForPair(chosen);
    std::u16string out(text);
    for (size_t i = 0; i < out.size(); ++i)
        if (!foreign[i]) out[i] = FromCp1251(map[static_cast<unsigned char>(bytes[i])]);
    return out;
}

}  // namespace tavrik::editor
