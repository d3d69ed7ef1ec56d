// Any bytes as tavrik.ini: the reader keeps the text whole, and whatever the writer stores it reads
// back the same, for every key the file holds, rewritten, deleted and as a replaced section.
#include <string>
#include <string_view>

#include "settings/ini_document.h"
#include "tests/fuzz/fuzz_input.h"

using namespace tavrik::settings;
using tavrik::fuzz::Expect;

namespace {

// What a line of the file can hold at all: no line break, and no longer than a read returns.
bool Storable(std::u16string_view text) {
    return text.find_first_of(u"\r\n") == std::u16string_view::npos && text.size() <= kMaxIniValue;
}

void CheckSection(const IniDocument& original, std::u16string_view section) {
    const IniEntries entries = original.Entries(section);
    IniEntries kept;
    // Each key costs three reads of the whole file: a few keys a section find as much, faster.
    std::size_t checked = 0;
    for (const auto& [key, value] : entries) {
        if (++checked > 4) break;
        if (!Storable(key) || !Storable(value) || value.size() + 2 > kMaxIniValue) continue;
        IniDocument doc = original;
        const std::u16string changed = value + u"x";
        doc.Set(section, key, changed);
        Expect(IniDocument(doc.Text()).Get(section, key) == changed);
        doc.Set(section, key, value);
        Expect(IniDocument(doc.Text()).Get(section, key) == value);
        doc.Delete(section, key);
        Expect(!IniDocument(doc.Text()).Get(section, key));

        bool again = false;
        for (const auto& [other, unused] : kept) again = again || SameIniName(other, key);
        if (!again) kept.emplace_back(key, value);
    }
    IniDocument doc = original;
    doc.ReplaceSection(section, kept);
    Expect(IniDocument(doc.Text()).Entries(section) == kept);
    // A new key and value made of the file's own text, as a page name and its entry would be.
    if (!kept.empty()) {
        const std::u16string key = kept.front().first + u"2", value = u" " + kept.back().second + u" ";
        doc.Set(section, key, value);
        Expect(IniDocument(doc.Text()).Get(section, key) == value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = tavrik::fuzz::Bytes(data, size);
    (void)ByteOrderMarkSize(DetectIniEncoding(bytes));
    const std::u16string text = tavrik::fuzz::Text(bytes);
    const IniDocument doc(text);
    Expect(doc.Text() == text);
    for (const std::u16string_view section : {u"Parameters", u"Pages"}) CheckSection(doc, section);
    IniDocument erased = doc;
    erased.EraseSection(u"Pages");
    Expect(IniDocument(erased.Text()).Entries(u"Pages").empty());
    return 0;
}
