// (Win32) TTavrikForm::ConvertSettings: settings and pages that earlier versions kept in the registry,
// taken over into tavrik.ini once, at the start.
#include "app/tavrik_form.h"
#include "app/text.h"
#include "app/unique.h"
#include "pages/page_file_look.h"
#include "pages/page_name.h"
#include "settings/ini_value.h"
#include "settings/legacy_settings.h"
#include "settings/parameters.h"
#include "settings/settings_file.h"

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

// Read back, so the sub-key is let go only for what the file really holds now.
bool FileHolds(const settings::IniFile& ini, std::u16string_view section, const settings::KeyValues& values) {
    const settings::IniDocument document = ini.Read();
    for (const auto& [key, value] : values)
        if (document.Get(section, key) != value) return false;
    return true;
}

bool IsFileThere(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

// The old files of pages that take a new name, moved to match it; undone as a whole when anything
// after them fails, so the next start finds everything as before and makes the same names.
class FileMoves {
public:
    // False when a file that is there could not be moved. One without extension goes only when it
    // is a page; another file that merely shares the old name stays the user's.
    bool Move(const std::wstring& from, const std::wstring& to, bool onlyAPage) {
        if (!IsFileThere(from) || (onlyAPage && !pages::IsOldPageFileAt(from))) return true;
        if (!MoveFileW(from.c_str(), to.c_str())) return false;
        done_.emplace_back(from, to);
        return true;
    }
    void Undo() {
        for (auto it = done_.rbegin(); it != done_.rend(); ++it)
            (void)MoveFileW(it->second.c_str(), it->first.c_str());  // refused: the text is still there, by the new name
        done_.clear();
    }

private:
    std::vector<std::pair<std::wstring, std::wstring>> done_;
};

}  // namespace

// Each sub-key goes only once everything it held is in the settings file, written in one piece
// and read back; a refused write (reported by the settings file) leaves it for the next start,
// and start-up goes on. A sub-key that cannot be deleted is recorded in the file as taken over,
// so later starts only try to delete it again, never take it over again over newer settings. The
// legacy key itself stays, made empty when it was not there.
void TTavrikForm::ConvertSettings() {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, env_.legacyKeyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        return;
    const UniqueKey legacy(opened);
    const settings::IniFile ini(SettingsPath());
    const std::wstring parametersSection(ToWide(settings::kSectionParameters));
    const std::wstring takenOverKey(ToWide(settings::kLegacyTakenOverKey));
    const auto takenOver = [&] {
        return settings::IntOr(ini.Read().Get(settings::kSectionParameters, settings::kLegacyTakenOverKey), 0);
    };
    // Written only when a sub-key stays against our will: a migration that went through leaves no trace.
    const auto record = [&](int done) {
        (void)ini.WriteString(parametersSection, takenOverKey, ToWide(settings::FormatInt(done)));  // refused: said so
    };

    if (const UniqueKey parameters = OpenSubKey(legacy.Get(), L"Parameters")) {
        const int done = takenOver();
        if (done & settings::kLegacyParametersDone) {
            (void)env_.deleteLegacySubKey(legacy.Get(), L"Parameters");  // taken over before: only its removal failed
        } else {
            const settings::KeyValues values = settings::LegacyParameters(
                [&](std::u16string_view name) { return ReadText(parameters.Get(), ToWide(name)); }, OSVersion,
                ToU16(env_.programFolder));
            const bool written = ini.Edit([&](settings::IniEdit& edit) {
                for (const auto& [key, value] : values) edit.WriteString(parametersSection, ToWide(key), ToWide(value));
            });
            if (written && FileHolds(ini, settings::kSectionParameters, values) &&
                env_.deleteLegacySubKey(legacy.Get(), L"Parameters") != ERROR_SUCCESS)
                record(done | settings::kLegacyParametersDone);
        }
    }

    if (const UniqueKey pages = OpenSubKey(legacy.Get(), L"Pages")) {
        const int done = takenOver();
        if (done & settings::kLegacyPagesDone) {
            (void)env_.deleteLegacySubKey(legacy.Get(), L"Pages");
            return;
        }
        // The defaults as the settings file holds them now, the parameters just taken over included.
        const settings::IniDocument document = ini.Read();
        using P = settings::Parameters;
        P read;
        for (const settings::ParameterMember& member : std::initializer_list<settings::ParameterMember>{
                 &P::DefaultFontName, &P::DefaultFontColor, &P::DefaultFontSize, &P::DefaultFontStyle,
                 &P::DefaultRichEditColor}) {
            const settings::ParameterKey& key = settings::KeyOf(member);
            settings::ReadParameter(read, key, document.Get(settings::kSectionParameters, key.name), {});
        }
        const pages::PageDefaults defaults{read.DefaultRichEditColor, read.DefaultFontName, read.DefaultFontColor,
                                           read.DefaultFontSize, read.DefaultFontStyle};
        const std::wstring folder = ToWide(
            settings::ReadParameters(settings::IniParameterSource(ini), OSVersion, ToU16(env_.programFolder)).SaveTo);

        const std::vector<std::wstring> names = ValueNames(pages.Get());
        // A made name must not meet a page listed already, one taken over as it is, or a file.
        std::vector<std::u16string> used;
        for (const auto& [name, value] : document.Entries(settings::kSectionPages)) used.push_back(name);
        for (const std::wstring& name : names)
            if (settings::LegacyPageName(ToU16(name), [](std::u16string_view) { return false; }) == ToU16(name))
                used.push_back(ToU16(name));
        const auto taken = [&](std::u16string_view candidate) {
            for (const std::u16string& name : used)
                if (pages::SameFileName(name, candidate)) return true;
            const std::wstring base = folder + ToWide(candidate);
            return IsFileThere(base) || IsFileThere(base + L".tvk");
        };

        settings::KeyValues entries;
        FileMoves moves;
        bool moved = true;
        for (const std::wstring& name : names) {
            const std::u16string raw = ToU16(name);
            const std::u16string listedAs = settings::LegacyPageName(raw, taken);
            const auto entry = settings::LegacyPageEntry(listedAs, ReadText(pages.Get(), name), defaults);
            if (!entry) continue;  // cannot happen: a made name is safe
            entries.emplace_back(listedAs, *entry);
            if (listedAs == raw) continue;
            used.push_back(listedAs);
            // Only a name that is a file name in that folder can have a file there; "..\x" must not reach out.
            if (!pages::IsSafeStoredPageName(raw)) continue;
            const std::wstring from = folder + name, to = folder + ToWide(listedAs);
            moved = moves.Move(from, to, true) && moves.Move(from + L".tvk", to + L".tvk", false);
            if (!moved) break;
        }
        const std::wstring pagesSection(ToWide(settings::kSectionPages));
        const bool written = moved && ini.Edit([&](settings::IniEdit& edit) {
            for (const auto& [name, value] : entries) edit.WriteString(pagesSection, ToWide(name), ToWide(value));
        });
        if (written && FileHolds(ini, settings::kSectionPages, entries)) {
            if (env_.deleteLegacySubKey(legacy.Get(), L"Pages") != ERROR_SUCCESS) record(done | settings::kLegacyPagesDone);
        } else {
            moves.Undo();  // the names and files as they were, for the next start
        }
    }
}

}  // namespace tavrik::app
