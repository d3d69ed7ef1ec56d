// The old registry layout read into the settings file's keys and page entries.
#include "settings/legacy_settings.h"

#include "pages/page_name.h"
#include "settings/ini_value.h"
#include "settings/parameters.h"

#include <variant>

namespace tavrik::settings {
namespace {

// A key and the field of the settings that gives its type and default; StartPage has no field
// there and counts from page 0.
using Field = std::variant<std::monostate, std::int32_t Parameters::*, bool Parameters::*, std::u16string Parameters::*>;

struct LegacyKey {
    std::u16string_view name;
    Field field;
};

// Colours are integers here. DefaultFontStyle and CatchClipboard were never kept there.
const LegacyKey kKeys[] = {
    {u"MainLeft", &Parameters::MainLeft},
    {u"MainTop", &Parameters::MainTop},
    {u"MainHeight", &Parameters::MainHeight},
    {u"MainWidth", &Parameters::MainWidth},
    {u"DefaultFontName", &Parameters::DefaultFontName},
    {u"DefaultFontSize", &Parameters::DefaultFontSize},
    {u"DefaultFontColor", &Parameters::DefaultFontColor},
    {u"DefaultRichEditColor", &Parameters::DefaultRichEditColor},
    {u"Style", &Parameters::Style},
    {u"Multitabs", &Parameters::Multitabs},
    {u"OnTop", &Parameters::OnTop},
    {u"Plain", &Parameters::Plain},
    {u"NoTransparency", &Parameters::NoTransparency},
    {u"MaxTransparency", &Parameters::MaxTransparency},
    {u"ShowCool", &Parameters::ShowCool},
    {u"FadeSpeed", &Parameters::FadeSpeed},
    {u"AutoHide", &Parameters::AutoHide},
    {u"HideTimeout", &Parameters::HideTimeout},
    {u"AutoStart", &Parameters::AutoStart},
    {u"CloseAsMinimize", &Parameters::CloseAsMinimize},
    {u"ShowTrayIcon", &Parameters::ShowTrayIcon},
    {u"Language", &Parameters::Language},
    {u"SaveTo", &Parameters::SaveTo},
    {u"LastSave", &Parameters::LastSave},
    {u"AutoTab", &Parameters::AutoTab},
    {u"AutoDecode", &Parameters::AutoDecode},
    {u"StartPage", std::monostate{}},
    {u"HotKey", &Parameters::HotKey},
};

struct NoSettings final : ParameterSource {
    std::optional<std::u16string> Read(std::u16string_view) const override { return std::nullopt; }
};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

// The defaults are those of a settings file that holds nothing: the translucency by the version
// code, the folders the program's own.
KeyValues LegacyParameters(const LegacyLookup& value, int osVersion, std::u16string_view programFolder) {
    const Parameters defaults = ReadParameters(NoSettings{}, osVersion, programFolder);
    KeyValues out;
    for (const LegacyKey& key : kKeys) {
        const std::optional<std::u16string> stored = value(key.name);
        std::u16string text = std::visit(
            Overloaded{[&](std::monostate) { return FormatInt(IntOr(stored, 0)); },
                       [&](std::int32_t Parameters::*field) { return FormatInt(IntOr(stored, defaults.*field)); },
                       [&](bool Parameters::*field) { return FormatBool(BoolOr(stored, defaults.*field)); },
                       [&](std::u16string Parameters::*field) { return stored.value_or(defaults.*field); }},
            key.field);
        out.emplace_back(key.name, std::move(text));
    }
    return out;
}

std::optional<std::u16string> LegacyPageEntry(std::u16string_view name, const std::optional<std::u16string>& color,
                                              const pages::PageDefaults& defaults) {
    if (!pages::IsSafeStoredPageName(name)) return std::nullopt;
    pages::PageEntry entry = pages::NewPageEntry(defaults);
    // A colour that is no number would make the whole entry unreadable: the default takes its place.
    entry.color = IntOr(color, defaults.color);
    return pages::EncodePageEntry(entry);
}

std::u16string LegacyPageName(std::u16string_view name, const std::function<bool(std::u16string_view)>& taken) {
    if (pages::IsSafeStoredPageName(name) && pages::FitsSettingsKey(name)) return std::u16string(name);
    return pages::MakeSafePageName(name, taken);
}

}  // namespace tavrik::settings
