// Section Parameters: keys, defaults and decoding.
#include "settings/parameters.h"

#include "settings/ini_value.h"

#include <cassert>

namespace tavrik::settings {
namespace {

using P = Parameters;
using K = ParameterKind;

// The spelling of each name is the one tavrik.ini files have always had ("Multitabs" included):
// keys ignore case, but a new key is written as spelled here.
const ParameterKey kKeys[] = {
    {u"DefaultFontName", K::Text, u"MS Sans Serif", &P::DefaultFontName},
    {u"DefaultFontSize", K::Int, 10, &P::DefaultFontSize},
    {u"DefaultFontColor", K::Int, 0, &P::DefaultFontColor},
    {u"DefaultRichEditColor", K::Int, 16777215, &P::DefaultRichEditColor},
    {u"DefaultFontStyle", K::Int, 0, &P::DefaultFontStyle},
    {u"MainLeft", K::Int, 0, &P::MainLeft},
    {u"MainTop", K::Int, 0, &P::MainTop},
    {u"MainHeight", K::Int, 143, &P::MainHeight},
    {u"MainWidth", K::Int, 418, &P::MainWidth},
    {u"Style", K::Int, 2, &P::Style},
    {u"Multitabs", K::Bool, false, &P::Multitabs},
    {u"OnTop", K::Bool, true, &P::OnTop},
    {u"Plain", K::Bool, false, &P::Plain},
    {u"NoTransparency", K::Bool, true, &P::NoTransparency},
    {u"MaxTransparency", K::Int, 255, &P::MaxTransparency},
    {u"ShowCool", K::Bool, true, &P::ShowCool},
    {u"FadeSpeed", K::Int, 5, &P::FadeSpeed},
    {u"AutoHide", K::Bool, false, &P::AutoHide},
    {u"HideTimeout", K::Int, 0, &P::HideTimeout},
    {u"AutoStart", K::Bool, false, &P::AutoStart},
    {u"CloseAsMinimize", K::Bool, false, &P::CloseAsMinimize},
    {u"ShowTrayIcon", K::Bool, true, &P::ShowTrayIcon},
    {u"Language", K::Int, 1, &P::Language},
    {u"SaveTo", K::Folder, u"", &P::SaveTo},
    {u"LastSave", K::Folder, u"", &P::LastSave},
    {u"AutoTab", K::Bool, false, &P::AutoTab},
    {u"AutoDecode", K::Bool, false, &P::AutoDecode},
    {u"CatchClipboard", K::Bool, false, &P::CatchClipboard},
    {u"StartPage", K::Int, 0, &P::StartPage},
    {u"HotKey", K::Int, kDefaultHotKey, &P::HotKey},
    {u"AutoSave", K::Int, kDefaultAutoSave, &P::AutoSave},
    {u"Versions", K::Int, 20, &P::Versions},
    {u"ShowOnMouseMonitor", K::Bool, false, &P::ShowOnMouseMonitor},
    {u"SpellCheck", K::Bool, true, &P::SpellCheck},
    {u"NoCatchFrom", K::Text, u"", &P::NoCatchFrom},
    {u"Theme", K::Int, 0, &P::Theme},
};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

Parameters::Parameters() {
    for (const ParameterKey& key : kKeys) {
        std::visit(Overloaded{[&](std::int32_t P::*m) { this->*m = std::get<std::int32_t>(key.byDefault); },
                              [&](bool P::*m) { this->*m = std::get<bool>(key.byDefault); },
                              [&](std::u16string P::*m) { this->*m = std::get<std::u16string_view>(key.byDefault); }},
                   key.member);
    }
}

std::span<const ParameterKey> ParameterKeys() { return kKeys; }

const ParameterKey& KeyOf(const ParameterMember& member) {
    for (const ParameterKey& key : kKeys)
        if (key.member == member) return key;
    assert(false && "a member of Parameters without a key");
    return kKeys[0];
}

std::u16string FormatParameter(const Parameters& p, const ParameterKey& key) {
    return std::visit(Overloaded{[&](std::int32_t P::*m) { return FormatInt(p.*m); },
                                 [&](bool P::*m) { return FormatBool(p.*m); },
                                 [&](std::u16string P::*m) { return p.*m; }},
                      key.member);
}

void ReadParameter(Parameters& p, const ParameterKey& key, const std::optional<std::u16string>& stored,
                   std::u16string_view programFolder) {
    std::visit(Overloaded{[&](std::int32_t P::*m) { p.*m = IntOr(stored, p.*m); },
                          [&](bool P::*m) { p.*m = BoolOr(stored, p.*m); },
                          [&](std::u16string P::*m) {
                              if (key.kind != K::Folder) {
                                  if (stored) p.*m = *stored;
                                  return;
                              }
                              // An empty folder value would become "\", the root of the current
                              // drive: take the default.
                              p.*m = WithTrailingBackslash(stored && !stored->empty() ? *stored
                                                                                      : std::u16string(programFolder));
                          }},
               key.member);
}

bool TranslucencyByDefault(int osVersion) {
    return osVersion == 6 || osVersion == 7 || osVersion == 8;
}

Parameters ReadParameters(const ParameterSource& source, int osVersion, std::u16string_view programFolder) {
    Parameters p;
    p.NoTransparency = !TranslucencyByDefault(osVersion);
    for (const ParameterKey& key : kKeys) ReadParameter(p, key, source.Read(key.name), programFolder);
    if (!IsFontSize(p.DefaultFontSize)) p.DefaultFontSize = Parameters{}.DefaultFontSize;
    if (p.AutoSave < 0 || p.AutoSave > kMaxAutoSave) p.AutoSave = kDefaultAutoSave;
    if (p.Versions < 0) p.Versions = Parameters{}.Versions;  // a slip of the hand must not drop every version
    return p;
}

}  // namespace tavrik::settings
