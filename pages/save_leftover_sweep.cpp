// (Win32) What becomes of the temporary files of interrupted saves.
#include "pages/save_leftover_sweep.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "app/text.h"
#include "pages/page_file_look.h"
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

TargetNow TargetOf(const std::wstring& path, ULONGLONG written) {
    DWORD error = ERROR_SUCCESS;
    switch (ProbeFile(path, error)) {
    case FileProbe::Absent: return TargetNow::Absent;
    case FileProbe::Unreachable: return TargetNow::Unreachable;
    case FileProbe::File: break;
    }
    const std::optional<ULONGLONG> targetWritten = LastWrite(path);
    if (!targetWritten) return TargetNow::Unreachable;
    return written > *targetWritten ? TargetNow::Older : TargetNow::NotOlder;
}

struct Found {
    std::wstring name;
    ULONGLONG written = 0;
};

// The leftovers in one folder, by their names alone.
std::vector<Found> LeftoversIn(const std::wstring& folder) {
    std::vector<Found> found;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*.tmp").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return found;  // none, or the folder is away: the next start looks again
    do {
        const std::u16string name = ToU16(data.cFileName);
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (RecogniseSaveLeftover(name) || IsFolderMoveLeftover(name)))
            found.push_back({data.cFileName, Ticks(data.ftLastWriteTime)});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

// `page`: the page whose versions folder this is; empty for the page folder itself.
// True when the leftover became a version of its page.
bool Settle(const std::wstring& folder, const Found& leftover, const std::wstring& page, bool plain) {
    const std::wstring path = folder + leftover.name;
    const std::u16string name = ToU16(leftover.name);
    const std::optional<SaveLeftover> save = RecogniseSaveLeftover(name);
    std::optional<std::u16string> savedPage = save ? PageOfFile(save->target) : std::nullopt;
    if (savedPage && !IsSafeStoredPageName(*savedPage)) savedPage.reset();
    LeftoverKind kind = LeftoverKind::Nameless;
    if (IsFolderMoveLeftover(name)) kind = page.empty() ? LeftoverKind::FolderMove : LeftoverKind::Nameless;
    else if (!page.empty() && save && !save->target.empty()) kind = LeftoverKind::VersionCopy;
    else if (page.empty() && savedPage) kind = LeftoverKind::PageSave;
    const std::wstring target = save ? folder + ToWide(save->target) : std::wstring();
    const TargetNow now = kind == LeftoverKind::PageSave || kind == LeftoverKind::VersionCopy
                              ? TargetOf(target, leftover.written)
                              : TargetNow::Absent;
    std::optional<bool> whole = false;
    if (kind != LeftoverKind::Nameless && now != TargetNow::NotOlder && now != TargetNow::Unreachable) {
        DWORD error = ERROR_SUCCESS;
        const std::optional<std::string> bytes = app::ReadWholeFile(path, error);
        whole = bytes ? std::optional(IsWholePageDocument(*bytes, plain)) : std::nullopt;
    }
    switch (FateOfLeftover(kind, now, whole)) {
    case LeftoverFate::Leave:
        return false;
    case LeftoverFate::BecomeTarget:
        // Without replacing: a file that came meanwhile wins, and the leftover is looked at again.
        (void)MoveFileExW(path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    case LeftoverFate::KeepAsVersion:
        return KeepAsVersion(folder, path, ToWide(*savedPage), leftover.written);  // refused: it stays for the next start
    case LeftoverFate::Delete:
        break;
    }
    (void)DeleteFileW(path.c_str());  // held open by a save under way, it stays
    return false;
}
}  // namespace

std::vector<std::wstring> SettleSaveLeftovers(const std::wstring& folder, bool plain) {
    std::vector<std::wstring> versioned;
    if (folder.empty()) return versioned;
    for (const Found& leftover : LeftoversIn(folder)) {
        if (Settle(folder, leftover, {}, plain)) {
            const std::wstring page = ToWide(*PageOfFile(RecogniseSaveLeftover(ToU16(leftover.name))->target));
            if (std::find(versioned.begin(), versioned.end(), page) == versioned.end()) versioned.push_back(page);
        }
    }
    return versioned;
}

void SettleVersionCopyLeftovers(const std::wstring& pageVersionsFolder, const std::wstring& page, bool plain) {
    for (const Found& leftover : LeftoversIn(pageVersionsFolder)) (void)Settle(pageVersionsFolder, leftover, page, plain);
}

}  // namespace tavrik::pages
