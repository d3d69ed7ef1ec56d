// (Win32) Reading and writing tavrik.ini: the bytes and their encoding here, the format in IniDocument.
#include "settings/settings_file.h"

#include <algorithm>

#include "app/error_box.h"
#include "app/text.h"
#include "app/file_io.h"
#include "settings/ini_value.h"
#include "settings/ini_write_way.h"

namespace tavrik::settings {
namespace {

std::u16string_view U16(std::wstring_view text) { return {reinterpret_cast<const char16_t*>(text.data()), text.size()}; }

std::wstring Wide(std::u16string_view text) { return app::ToWide(text); }

// Names are matched as the system's profile services match them, with Windows' own case folding:
// the same folding that tells page files apart.
bool SystemSameName(std::u16string_view a, std::u16string_view b) {
    return app::SameFileName({reinterpret_cast<const wchar_t*>(a.data()), a.size()},
                               {reinterpret_cast<const wchar_t*>(b.data()), b.size()});
}

// The paths held back, for every IniFile of the process: the short-lived ones made by single
// commands obey the hold as the main window's does.
std::vector<std::wstring>& HeldPaths() {
    static std::vector<std::wstring> paths;
    return paths;
}

bool IsHeld(const std::wstring& path) {
    return std::ranges::any_of(HeldPaths(), [&](const std::wstring& held) { return app::SameFileName(held, path); });
}

struct StoredFile {
    bool exists = false;
    IniEncoding encoding = IniEncoding::Utf16Le;  // a new file holds every page name
    std::string bytes;
};

// Nullopt when the file is there but cannot be read (locked, denied): writing it then would
// throw away what it holds.
std::optional<StoredFile> ReadStored(const std::wstring& path, DWORD& error) {
    auto bytes = app::ReadWholeFile(path, error);
    if (!bytes) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return StoredFile{};
        return std::nullopt;
    }
    if (bytes->empty()) return StoredFile{true, IniEncoding::Utf16Le, {}};  // nothing to keep the code page of
    const IniEncoding encoding = DetectIniEncoding(*bytes);
    return StoredFile{true, encoding, std::move(*bytes)};
}

std::optional<std::u16string> FromCodePage(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::u16string();
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n) != n) return std::nullopt;
    return app::ToU16(wide);
}

// Nullopt when the system cannot convert: an empty file must never stand in for the text.
std::optional<std::string> ToCodePage(UINT codePage, std::u16string_view text, DWORD flags) {
    if (text.empty()) return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::nullopt;
    std::string bytes(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, wide, size, bytes.data(), n, nullptr, nullptr) != n) return std::nullopt;
    return bytes;
}

// Windows can make UTF-8 the ANSI code page, which holds every character and takes no flags.
bool AnsiIsUtf8() { return GetACP() == CP_UTF8; }

// Nullopt when the system cannot read the text: writing it back then would empty the file.
std::optional<std::u16string> Decode(const StoredFile& file) {
    // A new file has no bytes yet, and so no byte order mark.
    const std::string_view body =
        std::string_view(file.bytes).substr(std::min(ByteOrderMarkSize(file.encoding), file.bytes.size()));
    switch (file.encoding) {
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: {
        std::u16string text(body.size() / 2, u'\0');
        const bool big = file.encoding == IniEncoding::Utf16Be;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto first = static_cast<unsigned char>(body[2 * i]), second = static_cast<unsigned char>(body[2 * i + 1]);
            text[i] = static_cast<char16_t>(big ? (first << 8) | second : (second << 8) | first);
        }
        return text;
    }
    case IniEncoding::Utf8: return FromCodePage(CP_UTF8, body);
    case IniEncoding::Ansi: break;
    }
    return FromCodePage(CP_ACP, body);
}

// Back in the encoding the file came in, byte order mark and all.
std::optional<std::string> Encode(std::u16string_view text, IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be: {
        const bool big = encoding == IniEncoding::Utf16Be;
        std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : text) {
            const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
            bytes += big ? high : low;
            bytes += big ? low : high;
        }
        return bytes;
    }
    case IniEncoding::Utf8: {
        auto bytes = ToCodePage(CP_UTF8, text, 0);
        if (bytes) bytes->insert(0, "\xEF\xBB\xBF");
        return bytes;
    }
    case IniEncoding::Ansi: break;
    }
    // What the code page lacks becomes "?", as the profile services wrote it; CanHold tells beforehand.
    return ToCodePage(CP_ACP, text, AnsiIsUtf8() ? 0 : WC_NO_BEST_FIT_CHARS);
}

}  // namespace

void IniEdit::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    document_.Set(U16(section), U16(key), U16(value));
}

void IniEdit::WriteInteger(std::wstring_view section, std::wstring_view key, int value) {
    document_.Set(U16(section), U16(key), FormatInt(value));
}

void IniEdit::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
    document_.Set(U16(section), U16(key), FormatBool(value));
}

void IniEdit::WriteParameters(const Parameters& p, std::initializer_list<ParameterMember> members) {
    for (const ParameterMember& member : members) {
        const ParameterKey& key = KeyOf(member);
        document_.Set(kSectionParameters, key.name, FormatParameter(p, key));
    }
}

void IniEdit::DeleteKey(std::wstring_view section, std::wstring_view key) { document_.Delete(U16(section), U16(key)); }

void IniEdit::EraseSection(std::wstring_view section) { document_.EraseSection(U16(section)); }

void IniEdit::ReplaceSection(std::wstring_view section, const WideEntries& entries) {
    IniEntries converted;
    converted.reserve(entries.size());
    for (const auto& [key, value] : entries) converted.emplace_back(U16(key), U16(value));
    document_.ReplaceSection(U16(section), converted);
}

IniDocument IniFile::Read() const {
    if (Unavailable()) return IniDocument(std::u16string(), SystemSameName);  // what start-up saw
    DWORD error = ERROR_SUCCESS;
    const auto stored = ReadStored(path_, error);
    const auto text = stored ? Decode(*stored) : std::nullopt;
    return IniDocument(text ? *text : std::u16string(), SystemSameName);
}

DWORD IniFile::ReadError() const {
    DWORD error = ERROR_SUCCESS;
    const auto stored = ReadStored(path_, error);
    if (!stored) return error;
    if (stored->exists && !Decode(*stored)) return ERROR_NO_UNICODE_TRANSLATION;
    return stored->exists ? ERROR_SUCCESS : error;
}

bool IniFile::Unavailable() const { return IsHeld(path_); }

IniHold::IniHold(std::wstring path) : path_(std::move(path)) { HeldPaths().push_back(path_); }

IniHold::~IniHold() {
    auto& paths = HeldPaths();
    if (const auto it = std::ranges::find(paths, path_); it != paths.end()) paths.erase(it);
}

std::optional<std::wstring> IniFile::ReadString(std::wstring_view section, std::wstring_view key) const {
    auto value = Read().Get(U16(section), U16(key));
    if (!value) return std::nullopt;
    return Wide(*value);
}

std::wstring IniFile::ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view fallback) const {
    return ReadString(section, key).value_or(std::wstring(fallback));
}

int IniFile::ReadInteger(std::wstring_view section, std::wstring_view key, int fallback) const {
    return IntOr(Read().Get(U16(section), U16(key)), fallback);
}

std::vector<std::wstring> IniFile::ReadSection(std::wstring_view section) const {
    // The list is read whole, however long: a page missing from it would be dropped from the
    // list at the next shut-down.
    std::vector<std::wstring> names;
    for (const auto& name : Read().Keys(U16(section))) names.push_back(Wide(name));
    return names;
}

WideEntries IniFile::ReadSectionEntries(std::wstring_view section) const {
    WideEntries entries;
    for (const auto& [key, value] : Read().Entries(U16(section))) entries.emplace_back(Wide(key), Wide(value));
    return entries;
}

bool IniFile::CanHold(std::wstring_view text) const {
    DWORD error = ERROR_SUCCESS;
    const auto stored = Unavailable() ? std::nullopt : ReadStored(path_, error);
    if (!stored || stored->encoding != IniEncoding::Ansi || text.empty() || AnsiIsUtf8()) return true;
    BOOL lossy = FALSE;
    const int length = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lossy);
    return n > 0 && !lossy;
}

bool IniFile::Edit(const std::function<void(IniEdit&)>& change) const {
    if (Unavailable()) return true;  // said once at start; one box per setting would say nothing more
    DWORD readError = ERROR_SUCCESS;
    std::optional<StoredFile> stored;
    // A sync client or a virus scanner holding the file for a moment is waited out, as the
    // replace below waits it out.
    (void)app::RetryWhileHeld([&]() -> std::uint32_t {
        stored = ReadStored(path_, readError);
        return stored ? ERROR_SUCCESS : readError;
    }, app::SystemClock());
    const auto before = stored ? Decode(*stored) : std::nullopt;
    if (!before) {
        app::ShowUnableToWrite(nullptr, path_, readError != ERROR_SUCCESS ? readError : ERROR_INVALID_DATA);
        return false;
    }
    IniDocument document(*before, SystemSameName);
    IniEdit edit(document);
    change(edit);
    const std::u16string text = document.Text();
    const auto bytes = Encode(text, stored->encoding);
    if (bytes && (stored->exists ? *bytes == stored->bytes : text.empty())) return true;  // no change
    if (!bytes) {
        app::ShowUnableToWrite(nullptr, path_, ERROR_NO_UNICODE_TRANSLATION);
        return false;
    }
    if (stored->exists && ChooseIniWriteWay(app::LinkCount(path_)) == IniWriteWay::InPlace)
        return WriteLinked(stored->bytes, *bytes);
    // The profile services rewrite the file in place, and a full disk left it cut short.
    const DWORD error = app::ReplaceFileContents(path_, [&](HANDLE file) {
        return app::WriteAll(file, bytes->data(), bytes->size());
    });
    if (error != ERROR_SUCCESS) {
        app::ShowUnableToWrite(nullptr, path_, error);
        return false;
    }
    return true;
}

// tavrik.ini with other names (Scoop keeps it by hard link between versions): a replace would give
// the name a new file and leave the other names with the old settings, so the file itself is
// rewritten. What it held goes to tavrik.ini.bak first, whole or not at all; when the rewrite
// fails, the old bytes are put back, and only if that fails too does the user hear of the backup.
bool IniFile::WriteLinked(const std::string& before, const std::string& after) const {
    const std::wstring backup = app::ToWide(IniBackupPath(U16(path_)));
    DWORD error = app::ReplaceFileContents(backup, [&](HANDLE file) {
        return app::WriteAll(file, before.data(), before.size());
    });
    if (error != ERROR_SUCCESS) {
        app::ShowUnableToWrite(nullptr, path_, error);  // nothing was written to tavrik.ini yet
        return false;
    }
    error = app::RewriteInPlace(path_, after);
    if (error == ERROR_SUCCESS) return true;
    if (app::RewriteInPlace(path_, before) == ERROR_SUCCESS) {
        app::ShowUnableToWrite(nullptr, path_, error);
    } else {
        app::ShowUnableToWriteKeptIn(nullptr, path_, error, backup);
    }
    return false;
}

bool IniFile::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) const {
    return Edit([&](IniEdit& edit) { edit.WriteString(section, key, value); });
}

bool IniFile::WriteInteger(std::wstring_view section, std::wstring_view key, int value) const {
    return Edit([&](IniEdit& edit) { edit.WriteInteger(section, key, value); });
}

bool IniFile::WriteBool(std::wstring_view section, std::wstring_view key, bool value) const {
    return Edit([&](IniEdit& edit) { edit.WriteBool(section, key, value); });
}

bool IniFile::WriteParameters(const Parameters& p, std::initializer_list<ParameterMember> members) const {
    return Edit([&](IniEdit& edit) { edit.WriteParameters(p, members); });
}

bool IniFile::DeleteKey(std::wstring_view section, std::wstring_view key) const {
    return Edit([&](IniEdit& edit) { edit.DeleteKey(section, key); });
}

bool IniFile::EraseSection(std::wstring_view section) const {
    return Edit([&](IniEdit& edit) { edit.EraseSection(section); });
}

bool IniFile::ReplaceSection(std::wstring_view section, const WideEntries& entries) const {
    return Edit([&](IniEdit& edit) { edit.ReplaceSection(section, entries); });
}

std::optional<std::u16string> IniParameterSource::Read(std::u16string_view key) const {
    return document_.Get(kSectionParameters, key);
}

}  // namespace tavrik::settings
