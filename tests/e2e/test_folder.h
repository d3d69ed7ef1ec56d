// Folders, files, settings files and Run keys that end-to-end tests give tavrik.exe.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrik::e2e {

// A fresh folder under the temporary folder holding app\ (a copy of tavrik.exe) and cwd\ (the
// program's current folder, kept apart so that nothing can find its files by accident), and a
// Run key path of its own under HKCU. Both are removed at the end.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& Root() const { return root_; }  // ends in a backslash
    std::wstring App() const { return root_ + L"app\\"; }
    std::wstring WorkFolder() const { return root_ + L"cwd\\"; }
    std::wstring UserFolder() const { return root_ + L"user\\"; }  // in place of the user's %LOCALAPPDATA% folder
    std::wstring Exe() const { return App() + L"tavrik.exe"; }
    std::wstring Ini() const { return App() + L"tavrik.ini"; }
    std::wstring PageFile(std::wstring_view name) const { return App() + std::wstring(name) + L".tvk"; }
    const std::wstring& RunKey() const { return runKey_; }

private:
    std::wstring root_;
    std::wstring runKey_;
    std::wstring ownKey_;  // the unique key above RunKey(), deleted whole
};

// Narrow text for failure messages, and what Linux programs print read back.
std::string Utf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

void WriteBytes(const std::wstring& path, std::string_view bytes);
void WriteUtf16WithBom(const std::wstring& path, std::wstring_view text);
std::optional<std::string> ReadBytes(const std::wstring& path);  // nullopt when the file is missing
bool FileExists(const std::wstring& path);
std::optional<FILETIME> LastWriteTime(const std::wstring& path);
bool SameTime(const std::optional<FILETIME>& a, const std::optional<FILETIME>& b);
std::vector<std::wstring> FolderEntries(const std::wstring& folder);  // sorted, without . and ..

// A settings file as tavrik.exe left it, read by hand rather than through the system's profile
// functions, so that key order, duplicates and the encoding are seen as they are.
struct IniText {
    bool unicode = false;  // starts with a UTF-16LE byte order mark
    std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>> sections;

    // Section names without regard to case, as the system matches them; empty when missing.
    std::vector<std::pair<std::wstring, std::wstring>> Section(std::wstring_view name) const;
    std::vector<std::wstring> Keys(std::wstring_view section) const;
    std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;
};
std::optional<IniText> ReadIni(const std::wstring& path);

// Run keys: values under HKCU\<keyPath>.
std::optional<std::wstring> ReadRegistryString(const std::wstring& keyPath, const wchar_t* name);
void WriteRegistryString(const std::wstring& keyPath, const wchar_t* name, std::wstring_view value);

// Linux programs as independent readers of what the program wrote (unrtf, pdftotext). Wine starts
// a Linux program but gives no handle to wait on, so the command runs from a script that leaves
// its output in a file once done. What it printed (standard output and errors), or nullopt (the
// test failed) when it did not finish in time.
std::optional<std::string> RunLinuxCommand(std::string_view shellCommand, DWORD timeoutMs = 60000);
// The Linux path of a Windows path, quoted for the shell.
std::string LinuxPath(const std::wstring& path);

// As another program copies: the clipboard holds this text and nothing else.
bool CopyToClipboard(std::wstring_view text);

// A small rich-text page holding one paragraph of ASCII text.
std::string RtfPage(std::string_view text);

}  // namespace tavrik::e2e
