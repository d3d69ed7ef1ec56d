// The old registry layout read into the settings file's keys and page entries.
#include "settings/legacy_settings.h"

#include "pages/page_name.h"
#include "settings/ini_value.h"
#include "settings/parameters.h"

namespace tavrik::settings {
namespace {

// The keys the old Parameters held, in the order taken over. Colours are integers there.
// DefaultFontStyle, CatchClipboard, AutoSave and Versions were never kept there.
const ParameterMember kKeys[] = {
    &Parameters::MainLeft,
    &Parameters::MainTop,
    &Parameters::MainHeight,
    &Parameters::MainWidth,
    &Parameters::DefaultFontName,
    &Parameters::DefaultFontSize,
    &Parameters::DefaultFontColor,
    &Parameters::DefaultRichEditColor,
    &Parameters::Style,
    &Parameters::Multitabs,
    &Parameters::OnTop,
    &Parameters::Plain,
    &Parameters::NoTransparency,
    &Parameters::MaxTransparency,
    &Parameters::ShowCool,
    &Parameters::FadeSpeed,
    &Parameters::AutoHide,
    &Parameters::HideTimeout,
    &Parameters::AutoStart,
    &Parameters::CloseAsMinimize,
    &Parameters::ShowTrayIcon,
    &Parameters::Language,
    &Parameters::SaveTo,
    &Parameters::LastSave,
    &Parameters::AutoTab,
    &Parameters::AutoDecode,
    &Parameters::StartPage,
    &Parameters::HotKey,
};

struct NoSettings final : ParameterSource {
    std::optional<std::u16string> Read(std::u16string_view) const override { return std::nullopt; }
};

}  // namespace

// The defaults are those of a settings file that holds nothing: the translucency by the version
// code, the folders the program's own.
KeyValues LegacyParameters(const LegacyLookup& value, int osVersion, std::u16string_view programFolder) {
    const Parameters defaults = ReadParameters(NoSettings{}, osVersion, programFolder);
    KeyValues out;
    for (const ParameterMember& member : kKeys) {
        const ParameterKey& key = KeyOf(member);
        const std::optional<std::u16string> stored = value(key.name);
        // Text goes over as it was, folders too: a folder without its backslash is read with one.
        if (key.kind == ParameterKind::Text || key.kind == ParameterKind::Folder) {
            out.emplace_back(key.name, stored.value_or(FormatParameter(defaults, key)));
            continue;
        }
        Parameters taken = defaults;
        ReadParameter(taken, key, stored, programFolder);
        out.emplace_back(key.name, FormatParameter(taken, key));
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
