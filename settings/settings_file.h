// (Win32) tavrik.ini: every write reaches the file at once, and replaces it whole or not at all
// (or, when it has hard links, rewrites it in place after a backup copy).
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/ini_document.h"
#include "settings/parameters.h"

namespace tavrik::settings {

using WideEntries = std::vector<std::pair<std::wstring, std::wstring>>;

// Changes to the settings file gathered for one write of it.
class IniEdit {
public:
    explicit IniEdit(IniDocument& document) : document_(document) {}

    void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void WriteInteger(std::wstring_view section, std::wstring_view key, int value);
    void WriteBool(std::wstring_view section, std::wstring_view key, bool value);
    // The members' keys in section Parameters, with the values the record holds.
    void WriteParameters(const Parameters& p, std::initializer_list<ParameterMember> members);
    void DeleteKey(std::wstring_view section, std::wstring_view key);
    void EraseSection(std::wstring_view section);
    void ReplaceSection(std::wstring_view section, const WideEntries& entries);
    IniDocument& Document() { return document_; }  // for callers that hold the text as UTF-16

private:
    IniDocument& document_;
};

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
    WideEntries ReadSectionEntries(std::wstring_view section) const;
    // The whole file as it is now, for many reads; a missing or unreadable file reads as empty.
    IniDocument Read() const;
    // ERROR_SUCCESS when the file can be read now, held back or not; else why not.
    DWORD ReadError() const;
    // Held back (IniHold): the file is taken as empty and never written.
    bool Unavailable() const;

    // Whether a write keeps every character of the text: a file in the ANSI code page (an old
    // version's, or one written by hand) holds only that code page's characters.
    bool CanHold(std::wstring_view text) const;

    // Writes report "Unable to write to" themselves and return false; the caller stops there.
    // While the file is held back they write nothing and return true.
    // `change` edits the file as read now; the result replaces the file in one write.
    bool Edit(const std::function<void(IniEdit&)>& change) const;
    bool WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) const;
    bool WriteInteger(std::wstring_view section, std::wstring_view key, int value) const;
    bool WriteBool(std::wstring_view section, std::wstring_view key, bool value) const;
    bool WriteParameters(const Parameters& p, std::initializer_list<ParameterMember> members) const;
    bool DeleteKey(std::wstring_view section, std::wstring_view key) const;
    bool EraseSection(std::wstring_view section) const;

    bool ReplaceSection(std::wstring_view section, const WideEntries& entries) const;

private:
    // The in-place write of a file with hard links; `before` is what it holds now.
    bool WriteLinked(const std::string& before, const std::string& after) const;

    std::wstring path_;
};

// tavrik.ini could not be read at start: while a hold lasts, every IniFile on its path reads it
// as empty and writes nothing, so what the program runs on never replaces what the file holds.
class IniHold {
public:
    explicit IniHold(std::wstring path);
    ~IniHold();
    IniHold(const IniHold&) = delete;
    IniHold& operator=(const IniHold&) = delete;

private:
    std::wstring path_;
};

// Section Parameters seen through an open settings file.
class IniParameterSource final : public ParameterSource {
public:
    explicit IniParameterSource(const IniFile& ini) : document_(ini.Read()) {}
    std::optional<std::u16string> Read(std::u16string_view key) const override;

private:
    IniDocument document_;  // read once for all the keys
};

}  // namespace tavrik::settings
