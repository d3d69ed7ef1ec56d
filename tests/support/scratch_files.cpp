// Scratch files of the tests and benchmarks.
#include "scratch_files.h"

#include <cwchar>

namespace tavrik::test {
namespace {
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && _wcsnicmp(text.data(), prefix.data(), prefix.size()) == 0;
}
}  // namespace

std::wstring ModuleFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring UniqueName() {
    static int counter = 0;
    return std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount64()) + L"_" +
           std::to_wstring(++counter);
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path + L"\\");
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ChildEnvironment(const std::wstring& runKey) {
    std::wstring block;
    wchar_t* env = GetEnvironmentStringsW();
    for (const wchar_t* p = env; p && *p; p += wcslen(p) + 1) {
        const std::wstring_view entry(p);
        if (StartsWithNoCase(entry, L"TAVRIK_RUN_KEY=") || StartsWithNoCase(entry, L"TAVRIK_LEGACY_KEY=") ||
            StartsWithNoCase(entry, L"TAVRIK_OS_VERSION="))
            continue;
        block.append(entry);
        block.push_back(L'\0');
    }
    if (env) FreeEnvironmentStringsW(env);
    block += L"TAVRIK_RUN_KEY=" + runKey;
    block.push_back(L'\0');
    // The settings of earlier versions are looked for beside it, never in a real user's key.
    block += L"TAVRIK_LEGACY_KEY=" + runKey.substr(0, runKey.find_last_of(L'\\') + 1) + L"Legacy";
    block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace tavrik::test
