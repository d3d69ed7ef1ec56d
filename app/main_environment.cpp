// (Win32) The running program's own path, folder and Run key.
#include <shlobj.h>

#include <cstdlib>
#include <vector>

#include "app/tavrik_form.h"

namespace tavrik::app {
namespace {

std::wstring ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);  // long paths are cut, not failed
    }
}

std::wstring LocalAppDataFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path)
        folder = std::wstring(path) + L"\\Tavrik\\";
    CoTaskMemFree(path);
    return folder;
}

#ifdef TAVRIK_TEST_HOOKS
std::optional<std::wstring> Variable(const wchar_t* name) {
    const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring value(n, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), n));
    return value;
}
#endif

}  // namespace

AppEnvironment ProcessEnvironment() {
    AppEnvironment env;
    env.programPath = ModulePath();
    env.programFolder = env.programPath.substr(0, env.programPath.find_last_of(L'\\') + 1);
    env.userFolder = LocalAppDataFolder();
#ifdef TAVRIK_TEST_HOOKS  // a release build answers to no variable: its keys and version are the real ones
    if (auto runKey = Variable(L"TAVRIK_RUN_KEY"); runKey && !runKey->empty()) env.runKeyPath = *runKey;
    if (auto legacy = Variable(L"TAVRIK_LEGACY_KEY"); legacy && !legacy->empty()) env.legacyKeyPath = *legacy;
    // For tests of what depends on the Windows version, whatever Wine reports.
    if (auto os = Variable(L"TAVRIK_OS_VERSION"); os && !os->empty()) env.osVersion = _wtoi(os->c_str());
    if (auto ui = Variable(L"TAVRIK_UI_LANGUAGE"); ui && !ui->empty())
        env.uiLanguage = static_cast<std::uint16_t>(wcstoul(ui->c_str(), nullptr, 16));
    // The light or dark setting from another key under HKEY_CURRENT_USER, and the build to assume.
    if (auto theme = Variable(L"TAVRIK_THEME_KEY"); theme && !theme->empty()) env.theme.keyPath = *theme;
    if (auto build = Variable(L"TAVRIK_WINDOWS_BUILD"); build && !build->empty())
        env.theme.build = static_cast<std::uint32_t>(_wtoi(build->c_str()));
    if (auto dpi = Variable(L"TAVRIK_DPI"); dpi && !dpi->empty()) env.dpi = static_cast<unsigned>(_wtoi(dpi->c_str()));
    if (auto user = Variable(L"TAVRIK_USER_FOLDER"); user && !user->empty())
        env.userFolder = user->back() == L'\\' ? *user : *user + L'\\';
#endif
    return env;
}

}  // namespace tavrik::app
