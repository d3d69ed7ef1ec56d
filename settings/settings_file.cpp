// Reading and writing tavrik.ini.
#include "settings/settings_file.h"

#include "app/error_box.h"
#include "app/text.h"
#include "app/unique.h"
#include "settings/ini_value.h"

namespace tavrik::settings {
namespace {

// Returned for a missing key: no value the program writes holds these characters.
constexpr wchar_t kMissing[] = L"\x01\x7F\x01";
constexpr DWORD kValueChars = 2048;  // 2047 characters and the closing zero
constexpr DWORD kSectionChars = 16384;

std::wstring Z(std::wstring_view text) { return std::wstring(text); }

}  // namespace

std::optional<std::wstring> IniFile::ReadString(std::wstring_view section, std::wstring_view key) const {
    wchar_t buffer[kValueChars];
    const DWORD n = GetPrivateProfileStringW(Z(section).c_str(), Z(key).c_str(), kMissing, buffer, kValueChars,
                                             path_.c_str());
    std::wstring value(buffer, n);
    if (value == kMissing) return std::nullopt;
    return value;
}

std::wstring IniFile::ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const {
    return ReadString(section, key).value_or(std::wstring(fallback));
}

int IniFile::ReadInteger(std::wstring_view section, std::wstring_view key, int fallback) const {
    const auto value = ReadString(section, key);
    return IntOr(value ? std::optional(app::ToU16(*value)) : std::nullopt, fallback);
}

std::vector<std::wstring> IniFile::ReadSection(std::wstring_view section) const {
    // The list is read whole, however long: a page missing from it would be dropped from the
    // list at the next shut-down.
    std::vector<wchar_t> buffer(kSectionChars);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(Z(section).c_str(), nullptr, L"", buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), path_.c_str());
        if (n + 2 < buffer.size()) {
            std::vector<std::wstring> names;
            for (auto& name : SplitZeroList(std::u16string_view(
                     reinterpret_cast<const char16_t*>(buffer.data()), n + 1)))
                names.push_back(app::ToWide(name));
            return names;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::pair<std::wstring, std::wstring>> IniFile::ReadSectionEntries(std::wstring_view section) const {
    std::vector<wchar_t> buffer(kSectionChars);
    DWORD n = 0;
    for (;;) {
        n = GetPrivateProfileSectionW(Z(section).c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                      path_.c_str());
        if (n + 2 < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (const auto& line : SplitZeroList(std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), n + 1))) {
        const std::wstring text = app::ToWide(line);
        const size_t equals = text.find(L'=');
        std::wstring key = text.substr(0, equals);
        std::wstring value = equals == std::wstring::npos ? std::wstring() : text.substr(equals + 1);
        // As a single read gives it: blanks around, and one pair of quotes around the value, go.
        const auto trim = [](std::wstring& t) {
            const size_t first = t.find_first_not_of(L" \t");
            t = first == std::wstring::npos ? std::wstring() : t.substr(first, t.find_last_not_of(L" \t") - first + 1);
        };
        trim(key);
        trim(value);
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (!key.empty()) entries.emplace_back(std::move(key), std::move(value));
    }
    return entries;
}

void IniFile::PrepareForWrite() const {
    // A file the profile services create is in the ANSI code page, which cannot hold every page
    // name; one that starts with a UTF-16 byte order mark is read and written as UTF-16.
    if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    app::UniqueFile file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
    if (!file) return;  // the write that follows reports the failure
    static const unsigned char kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    (void)WriteFile(file.Get(), kBom, sizeof kBom, &written, nullptr);  // a plain ANSI file at worst
}

bool IniFile::CanHold(std::wstring_view text) const {
    app::UniqueFile file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return true;  // a new file is made in UTF-16
    unsigned char start[2] = {};
    DWORD read = 0;
    if (ReadFile(file.Get(), start, sizeof start, &read, nullptr) && read == 2 && start[0] == 0xFF && start[1] == 0xFE)
        return true;
    if (text.empty()) return true;
    BOOL lossy = FALSE;
    const int length = static_cast<int>(text.size());
    std::string bytes(static_cast<size_t>(length) * 4, '\0');
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(),
                                            static_cast<int>(bytes.size()), nullptr, &lossy);
    return written > 0 && !lossy;
}

bool IniFile::Written(BOOL ok) const {
    if (!ok) app::ShowUnableToWrite(nullptr, path_);
    return ok != FALSE;
}

bool IniFile::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) const {
    PrepareForWrite();
    return Written(WritePrivateProfileStringW(Z(section).c_str(), Z(key).c_str(), Z(value).c_str(), path_.c_str()));
}

bool IniFile::WriteInteger(std::wstring_view section, std::wstring_view key, int value) const {
    return WriteString(section, key, std::to_wstring(value));
}

bool IniFile::WriteBool(std::wstring_view section, std::wstring_view key, bool value) const {
    return WriteString(section, key, value ? L"1" : L"0");
}

bool IniFile::DeleteKey(std::wstring_view section, std::wstring_view key) const {
    return Written(WritePrivateProfileStringW(Z(section).c_str(), Z(key).c_str(), nullptr, path_.c_str()));
}

bool IniFile::EraseSection(std::wstring_view section) const {
    return Written(WritePrivateProfileStringW(Z(section).c_str(), nullptr, nullptr, path_.c_str()));
}

bool IniFile::ReplaceSection(std::wstring_view section,
                             const std::vector<std::pair<std::wstring, std::wstring>>& entries) const {
    std::wstring block;
    for (const auto& [key, value] : entries) {
        block += key;
        block += L'=';
        block += value;
        block += L'\0';
    }
    block += L'\0';
    PrepareForWrite();
    return Written(WritePrivateProfileSectionW(Z(section).c_str(), block.c_str(), path_.c_str()));
}

std::optional<std::u16string> IniParameterSource::Read(std::u16string_view key) const {
    auto value = ini_.ReadString(app::ToWide(kSectionParameters), app::ToWide(key));
    if (!value) return std::nullopt;
    return app::ToU16(*value);
}

}  // namespace tavrik::settings
