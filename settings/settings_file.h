// tavrik.ini through the system's profile services: every write reaches the file at once.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/parameters.h"

namespace tavrik::settings {

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }

    // nullopt when the key is missing; values longer than 2047 characters come back cut.
    std::optional<std::wstring> ReadString(std::wstring_view section, std::wstring_view key) const;
    std::wstring ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const;
    int ReadInteger(std::wstring_view section, std::wstring_view key, int fallback) const;

    // The key names of a section in file order.
    std::vector<std::wstring> ReadSection(std::wstring_view section) const;
    bool SectionExists(std::wstring_view section) const { return !ReadSection(section).empty(); }
    // Keys and values of a section in file order, in one read of the file.
    std::vector<std::pair<std::wstring, std::wstring>> ReadSectionEntries(std::wstring_view section) const;

    // Whether a write keeps every character of the text: a file in the ANSI code page (an old
    // version's, or one written by hand) holds only that code page's characters.
    bool CanHold(std::wstring_view text) const;

    // Writes report "Unable to write to" themselves and return false; the caller stops there.
    bool WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) const;
    bool WriteInteger(std::wstring_view section, std::wstring_view key, int value) const;
    bool WriteBool(std::wstring_view section, std::wstring_view key, bool value) const;
    bool DeleteKey(std::wstring_view section, std::wstring_view key) const;
    bool EraseSection(std::wstring_view section) const;

    // Replaces every key of a section in one write, so a failure leaves the old keys whole.
    bool ReplaceSection(std::wstring_view section,
                        const std::vector<std::pair<std::wstring, std::wstring>>& entries) const;

private:
    bool Written(BOOL ok) const;
    void PrepareForWrite() const;

    std::wstring path_;
};

// Section Parameters seen through an open settings file.
class IniParameterSource final : public ParameterSource {
public:
    explicit IniParameterSource(const IniFile& ini) : ini_(ini) {}
    std::optional<std::u16string> Read(std::u16string_view key) const override;

private:
    const IniFile& ini_;
};

}  // namespace tavrik::settings
