// (Win32) Whole-file reads and replacing writes. Win32.
#include "app/file_io.h"

#include "app/text.h"
#include "app/unique.h"
// The size limit and the temporary files' names are the page files' rules; tavrik.ini follows them.
#include "pages/page_file_checks.h"
#include "pages/save_leftovers.h"

#include <new>

namespace tavrik::app {

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

bool SameFileName(std::wstring_view a, std::wstring_view b) {
    // Ordinal case folding maps one UTF-16 unit to one: names of other lengths never match.
    const int length = static_cast<int>(a.size());
    return a.size() == b.size() && CompareStringOrdinal(a.data(), length, b.data(), length, TRUE) == CSTR_EQUAL;
}

namespace {
// One read of the file from its start, to the size it has now.
ReadTry ReadOnce(const std::wstring& path) {
    ReadTry result;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
    if (size.QuadPart < 0 || !pages::FitsInMemory(static_cast<std::uint64_t>(size.QuadPart))) {
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
        folder + ToWide(pages::SaveTempName(ToU16(std::wstring_view(path).substr(folder.size())), folder.size(),
                                          GetCurrentProcessId(), GetTickCount64()));
    DWORD error = ERROR_SUCCESS;
    {
        UniqueFile file(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

std::optional<DWORD> LinkCount(const std::wstring& path) {
    // No access asked: the count is read also while a sync client holds the file for writing.
    UniqueFile file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.Get(), &info) || info.nNumberOfLinks == 0) return std::nullopt;
    return info.nNumberOfLinks;
}

DWORD RewriteInPlace(const std::wstring& path, std::string_view bytes) {
    UniqueFile file;
    DWORD error = RetryWhileHeld([&]() -> std::uint32_t {
        file = UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        return file ? ERROR_SUCCESS : GetLastError();
    }, SystemClock());
    if (error != ERROR_SUCCESS) return error;
    // Written before the cut: a longer text that does not fit fails here with the old length's
    // bytes still beyond it, and the caller puts the old text back.
    if (!WriteAll(file.Get(), bytes.data(), bytes.size()) || !SetEndOfFile(file.Get()) ||
        !FlushFileBuffers(file.Get())) {
        error = GetLastError();
        return error == ERROR_SUCCESS ? static_cast<DWORD>(ERROR_WRITE_FAULT) : error;
    }
    return ERROR_SUCCESS;
}

}  // namespace tavrik::app
