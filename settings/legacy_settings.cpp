// The old registry layout read into the settings file's keys and page entries.
#include "settings/legacy_settings.h"

#include "pages/page_name.h"
#include "settings/ini_value.h"
#include "settings/parameters.h"

namespace tavrik::settings {
namespace {

enum class Kind { Integer, String, Boolean };

struct LegacyKey {
    std::u16string_view name;
    Kind kind;
};

// Colours are integers here. DefaultFontStyle and CatchClipboard were never kept there.
constexpr LegacyKey kKeys[] = {
    {u"MainLeft", Kind::Integer},        {u"MainTop", Kind::Integer},
    {u"MainHeight", Kind::Integer},      {u"MainWidth", Kind::Integer},
    {u"DefaultFontName", Kind::String},  {u"DefaultFontSize", Kind::Integer},
    {u"DefaultFontColor", Kind::Integer}, {u"DefaultRichEditColor", Kind::Integer},
    {u"Style", Kind::Integer},           {u"Multitabs", Kind::Boolean},
    {u"OnTop", Kind::Boolean},           {u"Plain", Kind::Boolean},
    {u"NoTransparency", Kind::Boolean},  {u"MaxTransparency", Kind::Integer},
    {u"ShowCool", Kind::Boolean},        {u"FadeSpeed", Kind::Integer},
    {u"AutoHide", Kind::Boolean},        {u"HideTimeout", Kind::Integer},
    {u"AutoStart", Kind::Boolean},       {u"CloseAsMinimize", Kind::Boolean},
    {u"ShowTrayIcon", Kind::Boolean},    {u"Language", Kind::Integer},
    {u"SaveTo", Kind::String},           {u"LastSave", Kind::String},
    {u"AutoTab", Kind::Boolean},         {u"AutoDecode", Kind::Boolean},
    {u"StartPage", Kind::Integer},       {u"HotKey", Kind::Integer},
};

// The defaults of the old version, as text: the same as the settings file's, with the
// translucency off by default wherever windows cannot be translucent.
std::u16string DefaultOf(std::u16string_view key, int osVersion, std::u16string_view programFolder) {
    const Parameters p;
    if (key == u"MainLeft") return FormatInt(p.MainLeft);
    if (key == u"MainTop") return FormatInt(p.MainTop);
    if (key == u"MainHeight") return FormatInt(p.MainHeight);
    if (key == u"MainWidth") return FormatInt(p.MainWidth);
    if (key == u"DefaultFontName") return p.DefaultFontName;
    if (key == u"DefaultFontSize") return FormatInt(p.DefaultFontSize);
    if (key == u"DefaultFontColor") return FormatInt(p.DefaultFontColor);
    if (key == u"DefaultRichEditColor") return FormatInt(p.DefaultRichEditColor);
    if (key == u"Style") return FormatInt(p.Style);
    if (key == u"Multitabs") return FormatBool(p.Multitabs);
    if (key == u"OnTop") return FormatBool(p.OnTop);
    if (key == u"Plain") return FormatBool(p.Plain);
    if (key == u"NoTransparency") return FormatBool(!TranslucencyByDefault(osVersion));
    if (key == u"MaxTransparency") return FormatInt(p.MaxTransparency);
    if (key == u"ShowCool") return FormatBool(p.ShowCool);
    if (key == u"FadeSpeed") return FormatInt(p.FadeSpeed);
    if (key == u"AutoHide") return FormatBool(p.AutoHide);
    if (key == u"HideTimeout") return FormatInt(p.HideTimeout);
    if (key == u"AutoStart") return FormatBool(p.AutoStart);
    if (key == u"CloseAsMinimize") return FormatBool(p.CloseAsMinimize);
    if (key == u"ShowTrayIcon") return FormatBool(p.ShowTrayIcon);
    if (key == u"Language") return FormatInt(p.Language);
    if (key == u"SaveTo" || key == u"LastSave") return WithTrailingBackslash(std::u16string(programFolder));
    if (key == u"StartPage") return u"0";
    if (key == u"HotKey") return FormatInt(p.HotKey);
    return FormatBool(false);  // AutoTab, AutoDecode
}

}  // namespace

KeyValues LegacyParameters(const LegacyLookup& value, int osVersion, std::u16string_view programFolder) {
    KeyValues out;
    for (const LegacyKey& key : kKeys) {
        const std::u16string fallback = DefaultOf(key.name, osVersion, programFolder);
        const std::optional<std::u16string> stored = value(key.name);
        std::u16string text;
        switch (key.kind) {
        case Kind::String: text = stored.value_or(fallback); break;
        case Kind::Integer: text = FormatInt(IntOr(stored, *ParseInt(fallback))); break;
        case Kind::Boolean: text = FormatBool(BoolOr(stored, fallback == u"1")); break;
        }
        out.emplace_back(key.name, std::move(text));
    }
    return out;
}

std::optional<std::u16string> LegacyPageEntry(std::u16string_view name, const std::optional<std::u16string>& color,
                                              const LegacyPageDefaults& d) {
    if (!pages::IsSafeStoredPageName(name)) return std::nullopt;
    // A colour that is no number would make the whole entry unreadable: the default takes its place.
    const std::int32_t background = color ? IntOr(color, d.background) : d.background;
    return FormatInt(background) + u"*" + d.fontName + u"*" + FormatInt(d.fontColor) + u"*" + FormatInt(d.fontSize) +
           u"*" + FormatInt(d.fontStyle) + u"*0*1*";
}

}  // namespace tavrik::settings
