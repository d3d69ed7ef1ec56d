// Temporary folders, files and registry keys of the Windows tests, and a main window made in one.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/tavrik_form.h"
#include "app/unique.h"
#include "ini_builder.h"
#include "scratch_files.h"

namespace tavrik::test {

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }  // ends in a backslash

private:
    std::wstring path_;
};

void WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);  // empty when the file is missing
bool Exists(const std::wstring& path);

// An ini file as a user might have written it by hand: ANSI text, lines as given.
void WriteAnsiIni(const std::wstring& path, std::string_view text);
// The settings file's text, whatever its encoding, as UTF-16.
std::wstring ReadIniText(const std::wstring& path);

// A key under HKCU\Software\TavrikTests of this test alone, deleted at the end.
class TempRegistryKey {
public:
    TempRegistryKey();
    ~TempRegistryKey();
    const std::wstring& Path() const { return path_; }
    std::optional<std::wstring> ReadString(const wchar_t* name) const;

private:
    std::wstring path_;
};

// Handles the messages already posted to this thread's windows, such as a message that waited for
// the window to come up.
void DispatchPosted();

// Messages the program would have shown, recorded instead of shown.
struct MessageLog {
    MessageLog();
    ~MessageLog();
    std::vector<std::wstring> texts;
    std::vector<std::wstring> captions;
    std::vector<UINT> flags;
    int answer = IDOK;  // the button every box is answered with
    std::function<void()> whileOpen;  // what the user does while a box is open
};

// tavrik_file_holder.exe holding a file open with no sharing, as a sync client or a virus scanner
// does, until LetGo or the event Release() is set. `readable`: others may read and write it, but
// not rename over it.
class FileHolder {
public:
    explicit FileHolder(const std::wstring& path, bool readable = false);
    ~FileHolder() { LetGo(); }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;
    static std::wstring HolderPath();  // beside the test program
    bool Holding() const { return holding_; }
    void LetGo();  // returns once the holder has closed the file and ended
    HANDLE Release() const { return release_.Get(); }

private:
    std::wstring event_;
    app::UniqueHandle release_;
    app::UniqueHandle process_;
    bool holding_ = false;
};

// A main window made in a folder of its own, as if tavrik.exe lay there.
struct FormInFolder {
    TempFolder folder;
    TempRegistryKey runKey;
    std::unique_ptr<app::TTavrikForm> form;
    bool trayIcon = false;  // Wine takes 2 s to remove one; the tests of the tray turn it on
    int osVersion = 8;      // the Windows version code the form is told
    // Windows' interface language the form is told: Russian, in which a settings file without a
    // Language key has always started, whatever language Wine runs in.
    std::optional<std::uint16_t> uiLanguage = 0x0419;
    std::optional<unsigned> dpi;  // the monitor's DPI for the default size; Wine's when empty
    settings::IniReadRetry settingsRetry;  // how long start-up waits for an unreadable tavrik.ini
    std::optional<bool> longPaths;         // whether paths past 260 characters work; Wine's answer when empty
    std::function<LSTATUS(HKEY, const wchar_t*)> deleteLegacySubKey = RegDeleteTreeW;
    std::optional<std::uint32_t> windowsBuild;  // the build the theme is decided for; Wine's when empty

    std::wstring Ini() const { return folder.Path() + L"tavrik.ini"; }
    std::wstring PageFile(const std::wstring& name) const { return folder.Path() + name + L".tvk"; }
    // The form's own in place of Windows' light or dark setting, under the test's key.
    std::wstring ThemeKey() const { return runKey.Path().substr(0, runKey.Path().rfind(L'\\')) + L"\\Personalize"; }
    std::wstring UserFolder() const { return folder.Path() + L"user\\"; }  // the form's own in place of %LOCALAPPDATA%
    app::AppEnvironment Environment() const;
    void WriteIni(const IniBuilder& ini) const;  // tavrik.ini as the test gives it
    bool Start();   // a new form over the folder's files; false when Windows refused the window
    void Close();   // the window is destroyed without the shut-down saves
};

// The fixture of the tests that need a main window: the program's messages recorded, and a form
// made over a settings file the test gives.
class FormTest : public ::testing::Test {
protected:
    void StartForm(const IniBuilder& ini);  // tavrik.ini written, then the form made
    app::TTavrikForm& Form() const { return *f.form; }
    HWND Window() const { return f.form->Handle(); }
    std::wstring Caption() const;                   // the main window's
    std::wstring Text(int page) const;              // what the page's editor holds
    void Type(int page, const wchar_t* text) const;  // at the page's caret, as typing does
    std::vector<std::wstring> PageNames() const;    // the form's pages, in tab order
    std::vector<std::wstring> TabCaptions() const;  // what the tab strip shows
    std::vector<std::wstring> ListedPages() const;  // the keys of [Pages], in file order
    std::wstring PageText(const std::wstring& name) const;  // the editor's text of the page so named

    MessageLog log;  // made first, gone last: the form may still report as it goes
    FormInFolder f;
};

}  // namespace tavrik::test
