// (Win32) A start with a command: the boxes it shows on its own, the page folder for the
// uninstaller, start with Windows for the installer, and the command passed to the running copy.
#include "app/command_start.h"

#include "app/error_box.h"
#include "app/file_io.h"
#include "app/file_retry.h"
#include "app/messages.h"
#include "app/text.h"
#include "app/unique.h"
#include "settings/parameters.h"
#include "settings/settings_file.h"
#include "ui/command_line_texts.h"
#include "ui/windows_language.h"

#include <vector>

namespace tavrik::app {
namespace {

std::wstring SettingsFile(const AppEnvironment& env) { return env.programFolder + ToWide(settings::kSettingsFileName); }

settings::Parameters ReadSettings(const AppEnvironment& env) {
    const settings::IniFile ini(SettingsFile(env));
    const settings::IniParameterSource source(ini);
    return settings::ReadParameters(source, env.osVersion.value_or(0), ToU16(env.programFolder));
}

ui::Language StartLanguage(const AppEnvironment& env) {
    const settings::IniFile ini(SettingsFile(env));
    const settings::IniParameterSource source(ini);
    if (source.Read(settings::KeyOf(&settings::Parameters::Language).name))
        return ui::LanguageFromSetting(ReadSettings(env).Language);
    // No language chosen yet: the one the first start will choose.
    return ui::LanguageForWindowsUi(env.uiLanguage ? *env.uiLanguage : GetUserDefaultUILanguage());
}

void CommandLineBox(const AppEnvironment& env, const std::u16string& text, UINT icon) {
    const ui::Language language = StartLanguage(env);
    (void)ShowMessage(nullptr, ToWide(text), ToWide(ui::CommandLineTextIn(ui::CommandLineText::Caption, language)),
                      MB_OK | icon);
}

}  // namespace

ParsedCommand ReadOwnCommandLine() {
    std::vector<std::u16string> arguments = SplitCommandLine(ToU16(GetCommandLineW()));
    if (!arguments.empty()) arguments.erase(arguments.begin());
    return ParseArguments(arguments);
}

void ShowCommandLineError(const AppEnvironment& env, const CommandLineError& error) {
    CommandLineBox(env, ui::CommandLineErrorMessage(error, StartLanguage(env)), MB_ICONWARNING);
}

void ShowCommandLineHelp(const AppEnvironment& env) {
    CommandLineBox(env, std::u16string(ui::CommandLineTextIn(ui::CommandLineText::Usage, StartLanguage(env))),
                   MB_ICONINFORMATION);
}

// A tavrik.ini that is there but cannot be read would give the default folder, which may not be
// the pages': that is a failure, not an answer.
bool WritePageFolder(const AppEnvironment& env, const std::wstring& file) {
    const settings::IniFile ini(SettingsFile(env));
    const std::uint32_t error = RetryWhileHeld([&] { return static_cast<std::uint32_t>(ini.ReadError()); },
                                               SystemClock());
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
    const std::wstring folder = ToWide(ReadSettings(env).SaveTo);
    std::wstring content = L"\xFEFF" + folder;
    UniqueFile out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    // wchar_t is two bytes, little-endian, on every Windows we run on.
    const auto bytes = static_cast<DWORD>(content.size() * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(out.Get(), content.data(), bytes, &written, nullptr) && written == bytes;
}

bool SetAutoStartAlone(const AppEnvironment& env, bool on) {
    const settings::IniFile ini(SettingsFile(env));
    settings::Parameters next = ReadSettings(env);
    next.AutoStart = on;
    if (!ini.WriteParameters(next, {&settings::Parameters::AutoStart})) return false;
    settings::RunKey run;
    if (run.Open(env.runRoot, env.runKeyPath)) run.Apply(on, env.programPath);
    return true;
}

bool PassToRunningCopy(HWND running, const Command& command) {
    const std::u16string data = EncodeArguments(CommandArguments(command));
    if (data.size() > kMaxCommandChars) return false;  // the running copy would refuse it
    // The running copy may come to the front only when we, started by the user, let it.
    const CommandKind kind = command.kind;
    const bool shows = kind == CommandKind::Show || kind == CommandKind::Toggle || kind == CommandKind::NewPage ||
                       kind == CommandKind::Page;
    DWORD process = 0;
    if (shows && GetWindowThreadProcessId(running, &process) && process) (void)AllowSetForegroundWindow(process);
    COPYDATASTRUCT copy{};
    copy.dwData = kCommandDataTag;
    copy.cbData = static_cast<DWORD>(data.size() * sizeof(char16_t));
    copy.lpData = const_cast<char16_t*>(data.data());
    DWORD_PTR answer = FALSE;
    return SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 10000,
                               &answer) != 0 &&
           answer == TRUE;
}

}  // namespace tavrik::app
