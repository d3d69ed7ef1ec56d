// Whole-file reads and replacing writes.
#include "pages/page_io.h"

#include "app/text.h"
#include "app/unique.h"
#include "pages/file_retry.h"
#include "pages/page_file_checks.h"
#include "pages/save_leftovers.h"
#include "settings/parameters.h"

#include <new>

namespace tavrik::pages {

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(got < size ? got : 0);
    return full.empty() ? path : full;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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

bool SameFileName(std::wstring_view a, std::wstring_view b) {
    // Ordinal case folding maps one UTF-16 unit to one: names of other lengths never match.
    const int length = static_cast<int>(a.size());
    return a.size() == b.size() && CompareStringOrdinal(a.data(), length, b.data(), length, TRUE) == CSTR_EQUAL;
}

namespace {
// One read of the file from its start, to the size it has now.
ReadTry ReadOnce(const std::wstring& path) {
    ReadTry result;
    app::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        result.error = GetLastError();
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        result.error = GetLastError();
        return result;
    }
    // Asked first, so a huge file is refused with a reason instead of ending the program.
    if (size.QuadPart < 0 || !FitsInMemory(static_cast<std::uint64_t>(size.QuadPart))) {
        result.error = ERROR_FILE_TOO_LARGE;
        return result;
    }
    result.size = static_cast<std::uint64_t>(size.QuadPart);
    try {
        std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
                result.error = GetLastError();
                return result;
            }
            if (got == 0) break;  // the file shrank while we read: the caller reads it again
            done += got;
        }
        bytes.resize(done);
        result.bytes = std::move(bytes);
    } catch (const std::bad_alloc&) {
        // Within the limit, yet no room left now (a 32-bit process with much open): the same answer.
        result.error = ERROR_FILE_TOO_LARGE;
    }
    return result;
}
}  // namespace

// A page read short would be taken for the whole page, and its next save would cut the file to it.
std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error) {
    int tries = 0;
    std::uint32_t failure = 0;
    auto bytes = ReadUntilWhole([&] {
        if (tries++ > 0) Sleep(20);  // give the writer a moment to finish
        return ReadOnce(path);
    }, failure);
    error = failure;
    return bytes;
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
    look.bytes = ReadWholeFile(path, look.error);
    if (!look.bytes) {
        look.now = FileNow::Unreachable;
        return look;
    }
    look.hash = ContentHash(*look.bytes);
    look.now = known && known->hash == look.hash ? FileNow::AsKnown : FileNow::Changed;
    return look;
}

bool WriteAll(HANDLE file, const void* data, size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        if (!WriteFile(file, p, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        p += written;
        size -= written;
    }
    return true;
}

RetryClock SystemClock() {
    return {[] { return static_cast<std::uint64_t>(GetTickCount64()); }, [](std::uint32_t ms) { Sleep(ms); }};
}

DWORD ReplaceFileContents(const std::wstring& path, const std::function<bool(HANDLE file)>& write,
                          const std::function<DWORD(const std::wstring& newFile)>& beforeReplace) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    // The temporary file lies beside the page, so the final rename never crosses volumes; its name
    // carries the page's, so one that a crash leaves behind can be given back to its page.
    const std::wstring tempPath =
        folder + app::ToWide(SaveTempName(app::ToU16(std::wstring_view(path).substr(folder.size())), folder.size(),
                                          GetCurrentProcessId(), GetTickCount64()));
    DWORD error = ERROR_SUCCESS;
    {
        app::UniqueFile file(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return GetLastError();
        if (!write(file.Get()) || !FlushFileBuffers(file.Get())) {
            error = GetLastError();
            if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
        }
    }
    if (error == ERROR_SUCCESS && beforeReplace) error = beforeReplace(tempPath);
    if (error == ERROR_SUCCESS) error = RetryWhileHeld([&]() -> std::uint32_t {
        return MoveFileExW(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? ERROR_SUCCESS : GetLastError();
    }, SystemClock());
    if (error != ERROR_SUCCESS) (void)DeleteFileW(tempPath.c_str());  // nothing to keep of a failed write
    return error;
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
    if (FileExists(folder + app::ToWide(settings::kSettingsFileName))) return true;
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
    if (!FileExists(base) || FileExists(path)) return;  // a .tvk file already there wins
    if (!IsOldPageFileAt(base)) return;                 // the user's own file stays as it is
    (void)MoveFileW(base.c_str(), path.c_str());        // refused: the page starts empty, the old file stays
}

}  // namespace tavrik::pages
