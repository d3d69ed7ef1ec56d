// (Win32) Page files on disk: probes, stamps and looks. Win32.
#include "pages/page_file_look.h"

#include "app/text.h"
#include "app/unique.h"
#include "pages/page_file_checks.h"
#include "pages/save_leftovers.h"
#include "settings/parameters.h"

#include <new>

namespace tavrik::pages {

namespace {
// ERROR_DIRECTORY_NOT_SUPPORTED, which older SDK headers lack: "An operation is not supported on a
// directory."
constexpr DWORD kIsAFolder = 336;
}  // namespace

FileProbe ProbeFile(const std::wstring& path, DWORD& error) {
    error = ERROR_SUCCESS;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FileProbe::File;
        error = kIsAFolder;
        return FileProbe::Unreachable;
    }
    error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return FileProbe::Unreachable;
    // Some file systems and redirectors say "file not found" for a folder that is gone as well.
    std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
    if (folderAttributes != INVALID_FILE_ATTRIBUTES && (folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = ERROR_SUCCESS;
        return FileProbe::Absent;
    }
    error = folderAttributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_PATH_NOT_FOUND;
    if (error == ERROR_FILE_NOT_FOUND) error = ERROR_PATH_NOT_FOUND;
    return FileProbe::Unreachable;
}

// One query by name, without opening the file: the check before every write and every look while
// the window is up costs no more than that when nothing changed.
std::optional<FileStamp> StampOf(const std::wstring& path, DWORD& error) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        error = GetLastError();
        return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    error = ERROR_SUCCESS;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                     join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                     join(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime)};
}

FileLook LookAtFile(const std::wstring& path, const std::optional<KnownFile>& known) {
    FileLook look;
    look.stamp = StampOf(path, look.error);
    if (!look.stamp) {
        DWORD error = ERROR_SUCCESS;
        const FileProbe probe = ProbeFile(path, error);
        look.now = probe == FileProbe::Absent               ? FileNow::Gone
                   : error == ERROR_PATH_NOT_FOUND          ? FileNow::FolderGone
                                                            : FileNow::Unreachable;
        look.error = probe == FileProbe::Absent ? ERROR_SUCCESS : error;
        return look;
    }
    if (StampTellsAll(known, *look.stamp)) return look;
    // Sync clients touch times without changing a byte: only the content decides.
    look.bytes = app::ReadWholeFile(path, look.error);
    if (!look.bytes) {
        look.now = FileNow::Unreachable;
        return look;
    }
    look.hash = ContentHash(*look.bytes);
    look.now = known && known->hash == look.hash ? FileNow::AsKnown : FileNow::Changed;
    return look;
}

namespace {

// The first bytes of the file, enough to tell what it is; nullopt when it cannot be read.
std::optional<std::string> HeadOf(const std::wstring& path) {
    app::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string head(kOldPageSniffBytes, '\0');
    DWORD got = 0;
    if (!ReadFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &got, nullptr)) return std::nullopt;
    head.resize(got);
    return head;
}

// The settings file beside them or another page file says the folder is ours, not a general one.
bool FolderHoldsPages(const std::wstring& folder) {
    if (app::FileExists(folder + app::ToWide(settings::kSettingsFileName))) return true;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*.tvk").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

}  // namespace

bool IsOldPageFileAt(const std::wstring& base) {
    const std::optional<std::string> head = HeadOf(base);
    if (!head) return false;
    // Only asked for plain text: the folder is looked through at most once per old file.
    if (IsOldPageFile(*head, false)) return true;
    const size_t slash = base.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : base.substr(0, slash + 1);
    return IsOldPageFile(*head, FolderHoldsPages(folder));
}

void GiveOldFileItsExtension(const std::wstring& base, const std::wstring& path) {
    if (!app::FileExists(base) || app::FileExists(path)) return;  // a .tvk file already there wins
    if (!IsOldPageFileAt(base)) return;                 // the user's own file stays as it is
    (void)MoveFileW(base.c_str(), path.c_str());        // refused: the page starts empty, the old file stays
}

}  // namespace tavrik::pages
