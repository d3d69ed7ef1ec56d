// Any text as the values of tavrik.ini and of the registry of earlier versions: numbers, flags,
// folders and zero lists read without a fault, and every number read is written back the same.
#include <string>
#include <string_view>

#include "settings/ini_document.h"
#include "settings/ini_value.h"
#include "settings/legacy_settings.h"
#include "settings/parameters.h"
#include "tests/fuzz/fuzz_input.h"

using namespace tavrik::settings;
using tavrik::fuzz::Expect;

namespace {

struct DocumentSource final : ParameterSource {
    const IniDocument& doc;
    explicit DocumentSource(const IniDocument& d) : doc(d) {}
    std::optional<std::u16string> Read(std::u16string_view key) const override { return doc.Get(kSectionParameters, key); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = tavrik::fuzz::Text(tavrik::fuzz::Bytes(data, size));

    if (const auto number = ParseInt(text)) Expect(ParseInt(FormatInt(*number)) == number);
    if (const auto number = ParseDecimal(text)) Expect(ParseDecimal(FormatInt(*number)) == number);
    (void)IntOr(text, 7);
    (void)BoolOr(text, true);
    const std::u16string folder = WithTrailingBackslash(text);
    Expect(!folder.empty() && folder.back() == u'\\');
    std::size_t listed = 0;
    for (const std::u16string& item : SplitZeroList(text)) listed += item.size() + 1;
    Expect(listed <= text.size() + 1);

    // The whole input as a settings file, and as the values of the registry key of earlier versions.
    const IniDocument doc(text);
    const Parameters p = ReadParameters(DocumentSource(doc), 7, u"C:\\Tavrik\\");
    Expect(IsFontSize(p.DefaultFontSize));
    const auto lookup = [&](std::u16string_view name) { return doc.Get(kSectionParameters, name); };
    for (const auto& [key, value] : LegacyParameters(lookup, 10, u"C:\\Tavrik\\")) Expect(!key.empty());
    (void)LegacyPageEntry(text, text, {});
    return 0;
}
