// Test folders with a copy of tavrik.exe, their files, settings files and Run keys.
#include "test_folder.h"

#include "scratch_files.h"
#include "tavrik_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

namespace tavrik::e2e {
namespace {

// The long form of the temporary folder, so that paths compare with those the program reports.
std::wstring TempRoot() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring path(temp, n);
    std::wstring longPath(32768, L'\0');
    const DWORD m = GetLongPathNameW(path.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (m > 0 && m < longPath.size()) path.assign(longPath.data(), m);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return towupper(x) == towupper(y); });
}

std::wstring Trim(std::wstring_view text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    const auto last = text.find_last_not_of(L" \t");
    return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace

ProgramFolder::ProgramFolder() {
    const std::wstring unique = test::UniqueName();
    root_ = TempRoot() + L"tavrik_e2e_" + unique + L"\\";
    ownKey_ = L"Software\\TavrikTests\\e2e_" + unique;
    runKey_ = ownKey_ + L"\\Run";
    EXPECT_TRUE(CreateDirectoryW(root_.c_str(), nullptr)) << "cannot make " << Utf8(root_);
    EXPECT_TRUE(CreateDirectoryW(App().c_str(), nullptr));
    EXPECT_TRUE(CreateDirectoryW(WorkFolder().c_str(), nullptr));
    const std::wstring built = test::ModuleFolder() + L"tavrik.exe";
    EXPECT_TRUE(CopyFileW(built.c_str(), Exe().c_str(), TRUE))
        << "tavrik.exe is not beside the test program: " << Utf8(built);
}

ProgramFolder::~ProgramFolder() {
    test::RemoveTree(root_);
    (void)RegDeleteTreeW(HKEY_CURRENT_USER, ownKey_.c_str());
    (void)RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TavrikTests");  // only when no other test's key is left
}

// cppcheck takes `text` for a view of a temporary string of the caller's, which lives on past the call.
std::string Utf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    // cppcheck-suppress invalidLifetime
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    // cppcheck-suppress invalidLifetime
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, wide.data(), size)));
    return wide;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    ASSERT_TRUE(test::WriteFileBytes(path, bytes)) << "cannot write " << Utf8(path);
}

void WriteUtf16WithBom(const std::wstring& path, std::wstring_view text) {
    std::string bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteBytes(path, bytes);
}

std::optional<std::string> ReadBytes(const std::wstring& path) { return test::ReadFileBytes(path); }

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<FILETIME> LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return data.ftLastWriteTime;
}

bool SameTime(const std::optional<FILETIME>& a, const std::optional<FILETIME>& b) {
    if (!a || !b) return !a && !b;
    return CompareFileTime(&*a, &*b) == 0;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::pair<std::wstring, std::wstring>> IniText::Section(std::wstring_view name) const {
    for (const auto& [section, entries] : sections)
        if (EqualNoCase(section, name)) return entries;
    return {};
}

std::vector<std::wstring> IniText::Keys(std::wstring_view section) const {
    std::vector<std::wstring> keys;
    for (const auto& entry : Section(section)) keys.push_back(entry.first);
    return keys;
}

std::optional<std::wstring> IniText::Value(std::wstring_view section, std::wstring_view key) const {
    for (const auto& [k, v] : Section(section))
        if (EqualNoCase(k, key)) return v;
    return std::nullopt;
}

std::optional<IniText> ReadIni(const std::wstring& path) {
    const auto bytes = ReadBytes(path);
    if (!bytes) return std::nullopt;
    IniText ini;
    std::wstring text;
    if (bytes->size() >= 2 && (*bytes)[0] == '\xFF' && (*bytes)[1] == '\xFE') {
        ini.unicode = true;
        text.assign(reinterpret_cast<const wchar_t*>(bytes->data() + 2), (bytes->size() - 2) / 2);
    } else {
        const int size = static_cast<int>(bytes->size());
        text.resize(static_cast<size_t>(size));
        text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes->data(), size, text.data(), size)));
    }
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = Trim(std::wstring_view(text).substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == L';') continue;
        if (line.front() == L'[' && line.back() == L']') {
            ini.sections.emplace_back(Trim(std::wstring_view(line).substr(1, line.size() - 2)),
                                      std::vector<std::pair<std::wstring, std::wstring>>{});
            continue;
        }
        if (ini.sections.empty()) continue;  // lines before the first section belong to none
        const size_t eq = line.find(L'=');
        if (eq == std::wstring::npos) ini.sections.back().second.emplace_back(line, L"");
        else ini.sections.back().second.emplace_back(Trim(std::wstring_view(line).substr(0, eq)),
                                                     Trim(std::wstring_view(line).substr(eq + 1)));
    }
    return ini;
}

std::optional<std::wstring> ReadRegistryString(const std::wstring& keyPath, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY, &type, value.data(), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

void WriteRegistryString(const std::wstring& keyPath, const wchar_t* name, std::wstring_view value) {
    const std::wstring data(value);
    const LSTATUS rc = RegSetKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, REG_SZ, data.c_str(),
                                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    ASSERT_EQ(rc, ERROR_SUCCESS) << "cannot write the test's Run value";
}

namespace {
std::string UnixName(const std::wstring& path) {
    using Fn = char*(CDECL*)(const wchar_t*);
    static const Fn unixName = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) {
        ADD_FAILURE() << "not under Wine: no Linux paths";
        return "/nonexistent";
    }
    char* name = unixName(path.c_str());
    std::string linuxName = name ? name : "/nonexistent";
    HeapFree(GetProcessHeap(), 0, name);  // Wine allocates it on the process heap
    return linuxName;
}
}  // namespace

std::string LinuxPath(const std::wstring& path) {
    std::string quoted = "'";
    for (char c : UnixName(path)) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::optional<std::string> RunLinuxCommand(std::string_view shellCommand, DWORD timeoutMs) {
    const std::wstring base = TempRoot() + L"tavrik_linux_" + test::UniqueName();
    const std::wstring script = base + L".sh", output = base + L".out";
    const std::string part = LinuxPath(output + L".part");
    std::string lines = "(";
    lines.append(shellCommand).append(") > ").append(part).append(" 2>&1\n");
    lines.append("mv ").append(part).append(" ").append(LinuxPath(output)).append("\n");
    WriteBytes(script, lines);
    const std::string unixScript = UnixName(script);  // ASCII: under the temporary folder
    std::wstring command = L"Z:\\bin\\sh \"" + std::wstring(unixScript.begin(), unixScript.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        ADD_FAILURE() << "cannot start /bin/sh: error " << GetLastError();
        return std::nullopt;
    }
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);
    std::optional<std::string> printed;
    if (WaitFor([&] { return FileExists(output); }, timeoutMs)) printed = ReadBytes(output);
    else ADD_FAILURE() << "no end of: " << shellCommand;
    DeleteFileW(script.c_str());
    DeleteFileW(output.c_str());
    return printed;
}

bool CopyToClipboard(std::wstring_view text) {
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool placed = false;
    if (memory) {
        auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
        text.copy(chars, text.size());
        chars[text.size()] = L'\0';
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        // cppcheck-suppress doubleFree ; it takes the unlock above for a free
        if (!placed) GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

std::string RtfPage(std::string_view text) {
    return std::string("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ") + std::string(text) +
           "\\par\r\n}\r\n";
}

}  // namespace tavrik::e2e
