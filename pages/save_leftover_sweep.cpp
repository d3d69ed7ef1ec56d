// What becomes of the temporary files of interrupted saves.
#include "pages/save_leftover_sweep.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/text.h"
#include "pages/page_file_checks.h"
#include "pages/page_io.h"
#include "pages/page_name.h"
#include "pages/page_versions.h"
#include "pages/save_leftovers.h"

namespace tavrik::pages {
namespace {
using app::ToU16;
using app::ToWide;

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Unknown when the page file is missing, or cannot be looked at: the leftover may be all there is.
std::optional<ULONGLONG> LastWrite(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return Ticks(data.ftLastWriteTime);
}

// Unknown when it cannot be asked; then the read says why.
std::optional<std::uint64_t> SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

VersionTime ToLocal(ULONGLONG utc) {
    const FILETIME file{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)};
    SYSTEMTIME system{}, local{};
    (void)FileTimeToSystemTime(&file, &system);
    // The rules of daylight saving time of that date, not of today.
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &system, &local)) local = system;
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, local.wMilliseconds};
}

// Moved, not copied, so it is never in two places, and renamed after its last write as a version
// of that moment; a version of the same millisecond keeps its name and this one takes the next.
bool KeepAsVersion(const std::wstring& folder, const std::wstring& leftover, const std::wstring& page,
                   ULONGLONG written) {
    const std::wstring versions = folder + ToWide(kVersionsFolderName) + L"\\";
    const std::wstring pageVersions = versions + page + L"\\";
    (void)CreateDirectoryW(versions.c_str(), nullptr);  // there already, or the move below says why not
    (void)CreateDirectoryW(pageVersions.c_str(), nullptr);
    constexpr ULONGLONG kMillisecond = 10000;
    for (int tries = 0; tries < 1000; ++tries, written += kMillisecond) {
        const std::wstring version = pageVersions + ToWide(VersionFileName(ToLocal(written)));
        if (MoveFileExW(leftover.c_str(), version.c_str(), 0)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

void Settle(const std::wstring& folder, const std::wstring& name, ULONGLONG written, bool plain) {
    const std::wstring path = folder + name;
    const std::optional<SaveLeftover> leftover = RecogniseSaveLeftover(ToU16(name));
    const std::optional<std::u16string> page = leftover ? PageOfFile(leftover->target) : std::nullopt;
    if (page && IsSafeStoredPageName(*page)) {
        const std::optional<ULONGLONG> pageWritten = LastWrite(folder + ToWide(leftover->target));
        if (!pageWritten || written > *pageWritten) {
            // Too large to read and check whole: neither kept as a version nor deleted unseen.
            if (const auto size = SizeOf(path); size && !FitsInMemory(*size)) return;
            DWORD error = ERROR_SUCCESS;
            const std::optional<std::string> bytes = ReadWholeFile(path, error);
            // Unreadable: still being written (by a copy of the program elsewhere on a shared
            // folder) or locked; it is looked at again at the next start.
            if (!bytes) return;
            if (IsWholePageDocument(*bytes, plain)) {
                (void)KeepAsVersion(folder, path, ToWide(*page), written);  // refused: it stays for the next start
                return;
            }
        }
    }
    (void)DeleteFileW(path.c_str());  // held open by a save under way, it stays
}
}  // namespace

void SettleSaveLeftovers(const std::wstring& folder, bool plain) {
    if (folder.empty()) return;
    std::vector<std::pair<std::wstring, ULONGLONG>> leftovers;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*.tmp").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;  // none, or the folder is away: the next start looks again
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && RecogniseSaveLeftover(ToU16(data.cFileName)))
            leftovers.emplace_back(data.cFileName, Ticks(data.ftLastWriteTime));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    for (const auto& [name, written] : leftovers) Settle(folder, name, written, plain);
}

}  // namespace tavrik::pages
