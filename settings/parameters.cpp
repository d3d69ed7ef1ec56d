// Section Parameters: keys, defaults and decoding.
#include "settings/parameters.h"

#include "settings/ini_value.h"

namespace tavrik::settings {

bool TranslucencyByDefault(int osVersion) {
    return osVersion == 6 || osVersion == 7 || osVersion == 8;
}

Parameters ReadParameters(const ParameterSource& source, int osVersion, std::u16string_view programFolder) {
    Parameters p;
    const auto readInt = [&](std::u16string_view key, std::int32_t& field) { field = IntOr(source.Read(key), field); };
    const auto readBool = [&](std::u16string_view key, bool& field) { field = BoolOr(source.Read(key), field); };
    // An empty folder value would become "\", the root of the current drive: take the default.
    const auto readFolder = [&](std::u16string_view key) {
        auto folder = source.Read(key);
        return WithTrailingBackslash(folder && !folder->empty() ? *folder : std::u16string(programFolder));
    };

    if (auto name = source.Read(u"DefaultFontName")) p.DefaultFontName = std::move(*name);
    readInt(u"DefaultFontSize", p.DefaultFontSize);
    if (!IsFontSize(p.DefaultFontSize)) p.DefaultFontSize = Parameters{}.DefaultFontSize;
    readInt(u"DefaultFontColor", p.DefaultFontColor);
    readInt(u"DefaultRichEditColor", p.DefaultRichEditColor);
    readInt(u"DefaultFontStyle", p.DefaultFontStyle);
    readInt(u"MainLeft", p.MainLeft);
    readInt(u"MainTop", p.MainTop);
    readInt(u"MainHeight", p.MainHeight);
    readInt(u"MainWidth", p.MainWidth);
    readInt(u"Style", p.Style);
    readBool(u"Multitabs", p.Multitabs);
    readBool(u"OnTop", p.OnTop);
    readBool(u"Plain", p.Plain);
    p.NoTransparency = !TranslucencyByDefault(osVersion);
    readBool(u"NoTransparency", p.NoTransparency);
    readInt(u"MaxTransparency", p.MaxTransparency);
    readBool(u"ShowCool", p.ShowCool);
    readInt(u"FadeSpeed", p.FadeSpeed);
    readBool(u"AutoHide", p.AutoHide);
    readInt(u"HideTimeout", p.HideTimeout);
    readBool(u"AutoStart", p.AutoStart);
    readBool(u"CloseAsMinimize", p.CloseAsMinimize);
    readBool(u"ShowTrayIcon", p.ShowTrayIcon);
    readInt(u"Language", p.Language);
    p.SaveTo = readFolder(u"SaveTo");
    p.LastSave = readFolder(u"LastSave");
    readBool(u"AutoTab", p.AutoTab);
    readBool(u"AutoDecode", p.AutoDecode);
    readBool(u"CatchClipboard", p.CatchClipboard);
    readInt(u"HotKey", p.HotKey);
    readInt(u"AutoSave", p.AutoSave);
    if (p.AutoSave < 0 || p.AutoSave > kMaxAutoSave) p.AutoSave = kDefaultAutoSave;
    readInt(u"Versions", p.Versions);
    if (p.Versions < 0) p.Versions = Parameters{}.Versions;  // a slip of the hand must not drop every version
    return p;
}

}  // namespace tavrik::settings
