// (Win32) Version files: copies of page files in the versions folder beside them.
#include "pages/page_version_files.h"

#include "app/text.h"
#include "app/unique.h"
#include "app/file_retry.h"
#include "pages/page_file_look.h"
#include "pages/save_leftover_sweep.h"
#include "pages/save_leftovers.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace tavrik::pages {
namespace {

const std::wstring kVersionsFolder(app::ToWide(kVersionsFolderName));
// Under the user's own folder, where nothing syncs and no page is named: no "~" needed.
const std::wstring kFallbackFolder(L"Versions");

// Every entry of a folder but "." and ".."; false when the folder could not be listed.
bool ForEachEntry(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        const std::wstring_view name(data.cFileName);
        if (name != L"." && name != L"..") visit(data);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD MakeFolder(const std::wstring& path) {
    if (CreateDirectoryW(path.c_str(), nullptr)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS && IsFolder(path) ? ERROR_SUCCESS : error;
}

std::wstring WithoutBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

VersionTime Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// The names of the files in a folder, to name the next version after; nullopt when it cannot be
// listed (mostly: it is not there yet).
std::optional<std::vector<std::u16string>> FileNamesIn(const std::wstring& folder) {
    std::vector<std::u16string> names;
    if (!ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(app::ToU16(data.cFileName));
        }))
        return std::nullopt;
    return names;
}

std::vector<std::u16string> NamesIn(const std::wstring& folder) {
    return FileNamesIn(folder).value_or(std::vector<std::u16string>{});
}

// The temporary name in `folder` of what becomes `name` there; one a crash leaves is settled later.
std::wstring TempBeside(const std::wstring& folder, std::u16string_view name) {
    return folder + app::ToWide(SaveTempName(name, folder.size(), GetCurrentProcessId(), GetTickCount64()));
}

// `source` copied to `tempPath` by the system, no pass through memory, and flushed.
DWORD FlushedCopy(const std::wstring& source, const std::wstring& tempPath) {
    // A page file a sync client or a virus scanner holds for a moment is waited for, as its save is.
    const DWORD copyError = app::RetryWhileHeld([&]() -> std::uint32_t {
        if (CopyFileW(source.c_str(), tempPath.c_str(), FALSE)) return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        (void)DeleteFileW(tempPath.c_str());  // a part copied onto a full disk would take the room the save needs
        return error;
    }, app::SystemClock());
    if (copyError != ERROR_SUCCESS) return copyError;
    // The copy takes the page's attributes; a read-only one could be neither flushed nor dropped.
    (void)SetFileAttributesW(tempPath.c_str(), FILE_ATTRIBUTE_NORMAL);  // when refused, the open below says why
    const app::UniqueFile file(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.Get()) ? ERROR_SUCCESS : GetLastError();
}

// A copy of `source` under the first free version name from `time` on; never replaces another
// version. The copy is made under a temporary name and flushed before it takes the version's name,
// so a version file is always whole.
DWORD CopyVersion(const std::wstring& folder, VersionTime time, const std::wstring& source,
                  std::wstring* keptName = nullptr) {
    const std::wstring tempPath = TempBeside(folder, VersionFileName(time));
    DWORD error = FlushedCopy(source, tempPath);
    for (int tries = 0; error == ERROR_SUCCESS; ++tries) {
        const std::wstring name = app::ToWide(VersionFileName(time));
        if (MoveFileExW(tempPath.c_str(), (folder + name).c_str(), MOVEFILE_WRITE_THROUGH)) {
            if (keptName) *keptName = name;
            return ERROR_SUCCESS;
        }
        error = GetLastError();
        if ((error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) && tries < 1000) error = ERROR_SUCCESS;
        time = OneMillisecondLater(time);
    }
    (void)DeleteFileW(tempPath.c_str());  // nothing to keep of a failed copy
    return error;
}

// The page file under the first free version name from `time` on, as a second name of the same
// bytes: nothing is copied or flushed, and the version appears whole at once. Only for a plain file
// with no other name, whose page name a rename gives to new bytes next: then the version is the
// only name left of the old bytes, and nothing else can change them. Anything else, a file system
// without links above all (FAT, most shares, a cloud folder's placeholders), answers an error and
// the caller copies instead.
DWORD LinkVersion(const std::wstring& folder, VersionTime time, const std::wstring& source, std::wstring& keptName) {
    {
        // Asking for the right to delete it finds a program that holds the file and would refuse
        // the rename: then the version could not be given bytes of its own, and is copied instead.
        const app::UniqueFile file(CreateFileW(source.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!file || !GetFileInformationByHandle(file.Get(), &info)) return GetLastError();
        constexpr DWORD kPlain = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (info.nNumberOfLinks != 1 || (info.dwFileAttributes & ~kPlain) != 0) return ERROR_NOT_SUPPORTED;
    }
    for (int tries = 0; tries < 1000; ++tries, time = OneMillisecondLater(time)) {
        const std::wstring name = app::ToWide(VersionFileName(time));
        if (CreateHardLinkW((folder + name).c_str(), source.c_str(), nullptr)) {
            keptName = name;
            return ERROR_SUCCESS;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return error;
    }
    return ERROR_ALREADY_EXISTS;
}

// Makes each folder of `chain` in turn, the last one being the page's versions folder.
DWORD MakeFolders(const std::vector<std::wstring>& chain) {
    for (const std::wstring& folder : chain)
        if (const DWORD error = MakeFolder(WithoutBackslash(folder)); error != ERROR_SUCCESS) return error;
    return ERROR_SUCCESS;
}

// The page's versions folder in each place, with the folders to make on the way to it.
std::vector<std::vector<std::wstring>> PlacesOf(const VersionPlaces& places, std::wstring_view pageName) {
    std::vector<std::vector<std::wstring>> chains;
    chains.push_back({places.saveFolder + kVersionsFolder, PageVersionsFolder(places.saveFolder, pageName)});
    if (!places.userFolder.empty())
        chains.push_back({places.userFolder, places.userFolder + kFallbackFolder,
                          FallbackVersionsFolder(places.userFolder, pageName)});
    return chains;
}

using KeepIn = std::function<DWORD(const std::wstring& folder, const std::vector<std::u16string>& names,
                                    std::wstring& name)>;

// Tries each place in turn with `keep`, given the names of the files there; the first place's
// error when none took it. The folder is listed first: once it has a version, it is there, and
// making its folders again would cost a save two calls each for nothing.
KeptVersion KeepSomewhere(const VersionPlaces& places, std::wstring_view pageName, const KeepIn& keep) {
    KeptVersion result;
    bool first = true;
    for (const auto& chain : PlacesOf(places, pageName)) {
        std::optional<std::vector<std::u16string>> names = FileNamesIn(chain.back());
        DWORD error = ERROR_SUCCESS;
        if (!names) {
            error = MakeFolders(chain);
            names.emplace();
        }
        std::wstring name;
        if (error == ERROR_SUCCESS) error = keep(chain.back(), *names, name);
        if (error == ERROR_SUCCESS) return {ERROR_SUCCESS, chain.back(), name, std::move(*names)};
        if (first) result.error = error;
        first = false;
    }
    return result;
}

}  // namespace

std::wstring PageVersionsFolder(const std::wstring& saveFolder, std::wstring_view pageName) {
    return saveFolder + kVersionsFolder + L"\\" + std::wstring(pageName) + L"\\";
}

std::wstring FallbackVersionsFolder(const std::wstring& userFolder, std::wstring_view pageName) {
    if (userFolder.empty()) return {};
    return userFolder + kFallbackFolder + L"\\" + std::wstring(pageName) + L"\\";
}

KeptVersion KeepVersion(const VersionPlaces& places, std::wstring_view pageName, const std::wstring& pagePath,
                        bool elsewhere) {
    return KeepSomewhere(places, pageName,
                         [&](const std::wstring& folder, const std::vector<std::u16string>& names, std::wstring& name) {
        VersionTime now = Now();
        now.elsewhere = elsewhere;
        return CopyVersion(folder, NextVersionTime(now, names), pagePath, &name);
    });
}

KeptVersion KeepVersionAndRotate(const VersionPlaces& places, std::wstring_view pageName, const std::wstring& pagePath,
                                 int keep, bool plain) {
    bool linked = false;
    KeptVersion kept = KeepSomewhere(places, pageName,
                                     [&](const std::wstring& folder, const std::vector<std::u16string>& names,
                                         std::wstring& name) {
        const VersionTime time = NextVersionTime(Now(), names);
        linked = LinkVersion(folder, time, pagePath, name) == ERROR_SUCCESS;
        return linked ? ERROR_SUCCESS : CopyVersion(folder, time, pagePath, &name);
    });
    kept.linked = linked;  // a link kept is a version kept
    if (kept.error != ERROR_SUCCESS) return kept;
    if (AnyLeftover(kept.before)) {
        SettleVersionCopyLeftovers(kept.folder, std::wstring(pageName), plain);
        DropOldVersions(kept.folder, keep, kept.name);  // what was settled counts too
    } else {
        DropOldVersions(kept, keep);
    }
    return kept;
}

DWORD DetachVersion(const std::wstring& version) {
    const size_t slash = version.find_last_of(L'\\');
    const std::wstring tempPath =
        TempBeside(version.substr(0, slash + 1), app::ToU16(std::wstring_view(version).substr(slash + 1)));
    DWORD error = FlushedCopy(version, tempPath);
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(tempPath.c_str(), version.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) (void)DeleteFileW(tempPath.c_str());  // the version stays, as a second name
    return error;
}

DWORD KeepVersionOf(const VersionPlaces& places, std::wstring_view pageName,
                    const std::function<bool(HANDLE file)>& write) {
    return KeepSomewhere(places, pageName,
                         [&](const std::wstring& folder, const std::vector<std::u16string>& names, std::wstring& name) {
        VersionTime time = NextVersionTime(Now(), names);
        name = app::ToWide(VersionFileName(time));
        for (int tries = 0; app::FileExists(folder + name) && tries < 1000; ++tries) {  // never over another version
            time = OneMillisecondLater(time);
            name = app::ToWide(VersionFileName(time));
        }
        return app::ReplaceFileContents(folder + name, write);
    }).error;
}

void DropOldVersions(const std::wstring& folder, int keep, const std::wstring& justKept) {
    for (const std::u16string& name : VersionsToDrop(NamesIn(folder), keep, app::ToU16(justKept)))
        (void)DeleteFileW((folder + app::ToWide(name)).c_str());  // one that stays goes at the next try
}

void DropOldVersions(const KeptVersion& kept, int keep) {
    std::vector<std::u16string> names = kept.before;
    names.push_back(app::ToU16(kept.name));
    for (const std::u16string& name : VersionsToDrop(names, keep, names.back()))
        (void)DeleteFileW((kept.folder + app::ToWide(name)).c_str());  // one that stays goes at the next try
}

std::vector<VersionFile> ListVersions(const VersionPlaces& places, std::wstring_view pageName) {
    std::vector<VersionFile> versions;
    for (const std::wstring& folder :
         {PageVersionsFolder(places.saveFolder, pageName), FallbackVersionsFolder(places.userFolder, pageName)}) {
        if (folder.empty()) continue;
        ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
            if (const auto time = ParseVersionFileName(app::ToU16(data.cFileName)))
                versions.push_back({folder + data.cFileName, *time,
                                    (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
        });
    }
    std::sort(versions.begin(), versions.end(), [](const VersionFile& a, const VersionFile& b) { return a.time > b.time; });
    return versions;
}

bool RenameVersions(const VersionPlaces& places, std::wstring_view oldName, std::wstring_view newName) {
    const auto moveFolder = [](const std::wstring& from, const std::wstring& to) {
        return !IsFolder(from) || MoveFileExW(from.c_str(), to.c_str(), 0) != FALSE;
    };
    if (!places.userFolder.empty())
        (void)moveFolder(WithoutBackslash(FallbackVersionsFolder(places.userFolder, oldName)),  // else found under the old name
                     WithoutBackslash(FallbackVersionsFolder(places.userFolder, newName)));
    return moveFolder(WithoutBackslash(PageVersionsFolder(places.saveFolder, oldName)),
                  WithoutBackslash(PageVersionsFolder(places.saveFolder, newName)));
}

DWORD MoveVersions(const std::wstring& oldSaveFolder, const std::wstring& newSaveFolder) {
    const std::wstring from = oldSaveFolder + kVersionsFolder;
    const std::wstring to = newSaveFolder + kVersionsFolder;
    if (!IsFolder(from)) return ERROR_SUCCESS;
    // On one volume, into a folder without versions of its own: one rename.
    if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES && MoveFileExW(from.c_str(), to.c_str(), 0))
        return ERROR_SUCCESS;
    DWORD firstError = MakeFolder(to);
    if (firstError != ERROR_SUCCESS) return firstError;
    const auto note = [&](DWORD error) {
        if (firstError == ERROR_SUCCESS) firstError = error;
    };
    ForEachEntry(from + L"\\", [&](const WIN32_FIND_DATAW& page) {
        if (!(page.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return;
        const std::wstring source = from + L"\\" + page.cFileName + L"\\";
        const std::wstring target = to + L"\\" + page.cFileName + L"\\";
        if (const DWORD error = MakeFolder(WithoutBackslash(target)); error != ERROR_SUCCESS) return note(error);
        ForEachEntry(source, [&](const WIN32_FIND_DATAW& file) {
            const auto time = ParseVersionFileName(app::ToU16(file.cFileName));
            if (!time || (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return;  // not ours: left alone
            const std::wstring path = source + file.cFileName;
            DWORD error = CopyVersion(target, *time, path);
            if (error == ERROR_SUCCESS && !DeleteFileW(path.c_str())) error = GetLastError();
            note(error);
        });
        (void)RemoveDirectoryW(WithoutBackslash(source).c_str());  // stays while anything is left in it
    });
    (void)RemoveDirectoryW(from.c_str());
    return firstError;
}

}  // namespace tavrik::pages
