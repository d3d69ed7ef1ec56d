// Temporary folders, files and keys of the Windows tests.
#include "test_folder.h"

#include "scratch_files.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlwapi.h>

#include "app/error_box.h"
#include "editor/page_editor.h"
#include "app/unique.h"

namespace tavrik::test {
namespace {
// The program initialises OLE in its entry; the tests drive the same code without it.
struct OleForTests {
    OleForTests() { (void)OleInitialize(nullptr); }
    ~OleForTests() { OleUninitialize(); }
} g_ole;

}  // namespace

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"tavrik_test_" + test::UniqueName() + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    ASSERT_TRUE(WriteFileBytes(path, bytes)) << "cannot create the test file";
}

std::string ReadBytes(const std::wstring& path) { return ReadFileBytes(path).value_or(""); }

bool Exists(const std::wstring& path) { return PathExists(path); }

void WriteAnsiIni(const std::wstring& path, std::string_view text) { WriteBytes(path, text); }

std::wstring ReadIniText(const std::wstring& path) {
    const std::string bytes = ReadBytes(path);
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

TempRegistryKey::TempRegistryKey() : path_(L"Software\\TavrikTests\\" + test::UniqueName() + L"\\Run") {}

TempRegistryKey::~TempRegistryKey() {
    (void)SHDeleteKeyW(HKEY_CURRENT_USER, path_.substr(0, path_.rfind(L'\\')).c_str());
}

std::optional<std::wstring> TempRegistryKey::ReadString(const wchar_t* name) const {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, path_.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}

MessageLog::MessageLog() {
    app::SetMessageLanguage(ui::Language::English);  // until a form chooses, whatever the test before chose
    app::SetMessageSink([this](std::wstring_view text, std::wstring_view caption, UINT flags) {
        texts.emplace_back(text);
        captions.emplace_back(caption);
        this->flags.push_back(flags);
        if (whileOpen) whileOpen();
        return answer;
    });
}

void DispatchPosted() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) DispatchMessageW(&msg);  // a quit left by a window destroyed earlier
}

MessageLog::~MessageLog() { app::SetMessageSink(nullptr); }

app::AppEnvironment FormInFolder::Environment() const {
    app::AppEnvironment env;
    env.programPath = folder.Path() + L"tavrik.exe";
    env.programFolder = folder.Path();
    env.runRoot = HKEY_CURRENT_USER;
    env.runKeyPath = runKey.Path();
    env.legacyKeyPath = runKey.Path() + L"\\Legacy";
    env.osVersion = osVersion;
    env.uiLanguage = uiLanguage;
    env.dpi = dpi;
    env.trayIcon = trayIcon;
    env.settingsRetry = settingsRetry;
    env.userFolder = UserFolder();
    env.longPaths = longPaths;
    env.deleteLegacySubKey = deleteLegacySubKey;
    env.theme.keyPath = ThemeKey();
    env.theme.build = windowsBuild;
    return env;
}

std::wstring FileHolder::HolderPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"tavrik_file_holder.exe";
}

namespace {
// Whether someone holds the file: without any sharing, or (`readable`) without sharing delete.
bool Locked(const std::wstring& path, bool readable) {
    app::UniqueFile file(CreateFileW(path.c_str(), readable ? DELETE : GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}
}  // namespace

FileHolder::FileHolder(const std::wstring& path, bool readable) : event_(L"TavrikHolder" + test::UniqueName()) {
    release_.Reset(CreateEventW(nullptr, TRUE, FALSE, event_.c_str()));
    // A first start in a new prefix, or on a busy machine, is slow; a holder that ended without
    // the file (it lost a race for it) is started again.
    for (int start = 0; start < 3 && !holding_; ++start) {
        std::wstring command = L"\"" + HolderPath() + L"\" \"" + path + L"\" " + event_;
        if (readable) command += L" read";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                            &pi))
            return;
        CloseHandle(pi.hThread);
        process_.Reset(pi.hProcess);
        for (int i = 0; i < 3000 && !Locked(path, readable) && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; ++i)
            Sleep(10);
        holding_ = Locked(path, readable);
    }
}

void FileHolder::LetGo() {
    if (release_) SetEvent(release_.Get());
    if (process_) WaitForSingleObject(process_.Get(), 10000);
    process_.Reset();
    holding_ = false;
}

bool FormInFolder::Start() {
    form.reset();
    form = std::make_unique<app::TTavrikForm>(Environment());
    return form->Create();
}

void FormInFolder::Close() { form.reset(); }

void FormInFolder::WriteIni(const IniBuilder& ini) const {
    ASSERT_TRUE(ini.WriteTo(Ini())) << "cannot write tavrik.ini";
}

void FormTest::StartForm(const IniBuilder& ini) {
    f.WriteIni(ini);
    ASSERT_TRUE(f.Start());
}

std::wstring FormTest::Caption() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Window())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Window(), text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring FormTest::Text(int page) const { return editor::GetText(Form().Editor(page)); }

void FormTest::Type(int page, const wchar_t* text) const {
    SendMessageW(Form().Editor(page), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

std::vector<std::wstring> FormTest::PageNames() const {
    std::vector<std::wstring> names;
    names.reserve(static_cast<size_t>(Form().PageCount()));
    for (int i = 0; i < Form().PageCount(); ++i) names.push_back(Form().PageName(i));
    return names;
}

std::vector<std::wstring> FormTest::TabCaptions() const {
    std::vector<std::wstring> names;
    const HWND tab = Form().TabControl();
    for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        names.push_back(text);
    }
    return names;
}

std::wstring FormTest::PageText(const std::wstring& name) const {
    for (int i = 0; i < Form().PageCount(); ++i)
        if (Form().PageName(i) == name) return editor::GetText(Form().Editor(i));
    return L"(no such page)";
}

std::vector<std::wstring> FormTest::ListedPages() const {
    std::vector<std::wstring> names;
    for (auto& [key, value] : Form().Ini().ReadSectionEntries(L"Pages")) names.push_back(key);
    return names;
}

}  // namespace tavrik::test
