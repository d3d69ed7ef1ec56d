// TTavrikForm::ConvertSettings: settings and pages that earlier versions kept in the registry,
// taken over into tavrik.ini once, at the start.
#include "app/tavrik_form.h"
#include "app/text.h"
#include "app/unique.h"
#include "settings/ini_value.h"
#include "settings/legacy_settings.h"

namespace tavrik::app {
namespace {

UniqueKey OpenSubKey(HKEY parent, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS) return UniqueKey();
    return UniqueKey(key);
}

// The value's text; nullopt when it is missing or not of a string type, which takes the default.
std::optional<std::u16string> ReadText(HKEY key, const std::wstring& name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();  // stored with or without its end
    return ToU16(text);
}

// Value names in the order the registry lists them.
std::vector<std::wstring> ValueNames(HKEY key) {
    std::vector<std::wstring> names;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::wstring name(longest + 1, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD length = longest + 1;
        const LSTATUS status = RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS) names.emplace_back(name.data(), length);
    }
    return names;
}

}  // namespace

// Each sub-key goes only once everything it held is in the settings file, written in one piece;
// a refused write (reported by the settings file) leaves it for the next start, and start-up goes
// on. The legacy key itself stays, made empty when it was not there.
void TTavrikForm::ConvertSettings() {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, env_.legacyKeyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        return;
    const UniqueKey legacy(opened);
    const settings::IniFile ini(SettingsPath());
    const std::wstring parametersSection(ToWide(settings::kSectionParameters));

    if (const UniqueKey parameters = OpenSubKey(legacy.Get(), L"Parameters")) {
        const settings::KeyValues values = settings::LegacyParameters(
            [&](std::u16string_view name) { return ReadText(parameters.Get(), ToWide(name)); }, OSVersion,
            ToU16(env_.programFolder));
        const bool written = ini.Edit([&](settings::IniEdit& edit) {
            for (const auto& [key, value] : values) edit.WriteString(parametersSection, ToWide(key), ToWide(value));
        });
        if (written) (void)RegDeleteTreeW(legacy.Get(), L"Parameters");  // left: taken over again next time
    }

    if (const UniqueKey pages = OpenSubKey(legacy.Get(), L"Pages")) {
        // The defaults as the settings file holds them now, the parameters just taken over included.
        const settings::IniDocument document = ini.Read();
        const auto read = [&](std::u16string_view key) { return document.Get(settings::kSectionParameters, key); };
        pages::PageDefaults defaults;
        if (auto name = read(u"DefaultFontName")) defaults.fontName = *name;
        defaults.fontColor = settings::IntOr(read(u"DefaultFontColor"), defaults.fontColor);
        defaults.fontSize = settings::IntOr(read(u"DefaultFontSize"), defaults.fontSize);
        defaults.fontStyle = settings::IntOr(read(u"DefaultFontStyle"), defaults.fontStyle);
        defaults.color = settings::IntOr(read(u"DefaultRichEditColor"), defaults.color);
        std::vector<std::pair<std::wstring, std::wstring>> entries;
        for (const std::wstring& name : ValueNames(pages.Get()))
            if (auto entry = settings::LegacyPageEntry(ToU16(name), ReadText(pages.Get(), name), defaults))
                entries.emplace_back(name, ToWide(*entry));
        const std::wstring pagesSection(ToWide(settings::kSectionPages));
        const bool written = ini.Edit([&](settings::IniEdit& edit) {
            for (const auto& [name, value] : entries) edit.WriteString(pagesSection, name, value);
        });
        if (written) (void)RegDeleteTreeW(legacy.Get(), L"Pages");
    }
}

}  // namespace tavrik::app
