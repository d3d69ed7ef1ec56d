// The move of the page files to a new folder.
#include "pages/page_folder_move.h"

#include "app/text.h"
#include "app/unique.h"
#include "pages/page_io.h"

namespace tavrik::pages {
namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(got < size ? got : 0);
    return full.empty() ? path : full;
}

std::wstring WithBackslash(const std::wstring& folder) {
    return app::ToWide(WithTrailingBackslash(app::ToU16(folder)));
}

bool FolderIdentity(const std::wstring& folder, BY_HANDLE_FILE_INFORMATION& info) {
    // Opening a folder needs backup semantics; no access is asked for, so no share mode can refuse us.
    app::UniqueFile handle(CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && GetFileInformationByHandle(handle.Get(), &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder and any missing folders above it; `made` gets them deepest last.
DWORD CreateFolders(const std::wstring& folder, std::vector<std::wstring>& made) {
    std::wstring path = folder;
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return attributes & FILE_ATTRIBUTE_DIRECTORY ? ERROR_SUCCESS : ERROR_DIRECTORY;
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 2) {
        const DWORD error = CreateFolders(path.substr(0, slash + 1), made);
        if (error != ERROR_SUCCESS) return error;
    }
    if (!CreateDirectoryW(path.c_str(), nullptr)) return GetLastError();
    made.push_back(path);
    return ERROR_SUCCESS;
}

std::wstring TempName(const std::wstring& folder, size_t index) {
    return folder + L"~tvkmove" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount64()) +
           L"_" + std::to_wstring(index) + L".tmp";
}

// Writes `bytes` to a new file at `path` and reads it back: the copy counts only when the disk
// gives back exactly what was read from the original.
DWORD WriteChecked(const std::wstring& path, const std::string& bytes) {
    {
        app::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                         nullptr));
        if (!file) return GetLastError();
        if (!WriteAll(file.Get(), bytes.data(), bytes.size()) || !FlushFileBuffers(file.Get())) {
            const DWORD error = GetLastError();
            return error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error;
        }
    }
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> back = ReadWholeFile(path, error);
    if (!back) return error;
    return *back == bytes ? ERROR_SUCCESS : ERROR_CRC;
}

}  // namespace

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    if (FolderIdentity(a, infoA) && FolderIdentity(b, infoB))
        return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
               infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
    return SameFileName(WithBackslash(FullPath(a)), WithBackslash(FullPath(b)));
}

FolderMovePlan PlanFolderMove(const std::wstring& oldFolder, const std::wstring& typedFolder,
                              const std::vector<std::wstring>& fileNames) {
    FolderMovePlan plan;
    plan.oldFolder = WithBackslash(oldFolder);
    plan.problem = CheckFolderText(app::ToU16(typedFolder));
    if (plan.problem != FolderTextProblem::None) return plan;
    // "C:\Notes\.\" and "C:\Notes\sub\..\" are one folder: the full path takes the dots out.
    plan.newFolder = WithBackslash(FullPath(WithBackslash(typedFolder)));
    // Asked without the backslash, so a file of that name is seen as a file, not as a missing folder.
    std::wstring bare = plan.newFolder;
    if (bare.size() > 3) bare.pop_back();
    const DWORD attributes = GetFileAttributesW(bare.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            plan.blocked.push_back({L"", error});
            return plan;
        }
        plan.createsFolder = true;
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        plan.blocked.push_back({L"", ERROR_DIRECTORY});
        return plan;
    } else if (SameFolder(plan.oldFolder, plan.newFolder)) {
        plan.sameFolder = true;
        return plan;
    }
    for (const std::wstring& name : fileNames) {
        DWORD error = ERROR_SUCCESS;
        switch (ProbeFile(plan.oldFolder + name, error)) {
        case FileProbe::Absent: continue;  // never saved: nothing to move
        case FileProbe::Unreachable: plan.blocked.push_back({name, error}); continue;
        case FileProbe::File: break;
        }
        plan.toMove.push_back(name);
        if (!plan.createsFolder && GetFileAttributesW((plan.newFolder + name).c_str()) != INVALID_FILE_ATTRIBUTES)
            plan.existing.push_back(name);
    }
    return plan;
}

FolderMoveResult ExecuteFolderMove(const FolderMovePlan& plan, bool replaceExisting,
                                   const std::function<bool(const std::wstring& newFolder)>& storeFolder) {
    FolderMoveResult result;
    result.folderInUse = plan.oldFolder;
    if (!plan.CanMove()) {
        result.failed = plan.blocked;
        return result;
    }
    if (!plan.existing.empty() && !replaceExisting) return result;

    std::vector<std::wstring> madeFolders;
    std::vector<std::wstring> temps;  // checked copies under temporary names, one per file of toMove
    size_t renamed = 0;               // toMove[0..renamed) hold their copies under their own names
    auto undo = [&] {
        for (size_t i = 0; i < renamed; ++i) (void)DeleteFileW((plan.newFolder + plan.toMove[i]).c_str());
        for (size_t i = renamed; i < temps.size(); ++i) (void)DeleteFileW(temps[i].c_str());
        // Only folders this move made, deepest first; one that holds anything else stays.
        for (auto it = madeFolders.rbegin(); it != madeFolders.rend(); ++it) (void)RemoveDirectoryW(it->c_str());
        result.copied.clear();
        return result;
    };

    if (plan.createsFolder) {
        const DWORD error = CreateFolders(plan.newFolder, madeFolders);
        if (error != ERROR_SUCCESS) {
            result.failed.push_back({L"", error});
            return undo();
        }
    }
    // Every copy is complete and read back under a temporary name before any takes a page's name,
    // so a full or failing disk leaves nothing but removable temporary files.
    for (size_t i = 0; i < plan.toMove.size(); ++i) {
        DWORD error = ERROR_SUCCESS;
        const std::optional<std::string> bytes = ReadWholeFile(plan.oldFolder + plan.toMove[i], error);
        const std::wstring temp = TempName(plan.newFolder, i);
        if (bytes) error = WriteChecked(temp, *bytes);
        if (error != ERROR_SUCCESS) {
            if (bytes) (void)DeleteFileW(temp.c_str());
            result.failed.push_back({plan.toMove[i], error});
            return undo();
        }
        temps.push_back(temp);
    }
    for (; renamed < plan.toMove.size(); ++renamed) {
        const std::wstring target = plan.newFolder + plan.toMove[renamed];
        if (!MoveFileExW(temps[renamed].c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            result.failed.push_back({plan.toMove[renamed], GetLastError()});
            return undo();
        }
        result.copied.push_back(plan.toMove[renamed]);
    }
    if (storeFolder && !storeFolder(plan.newFolder)) {
        result.failed.push_back({L"", ERROR_WRITE_FAULT});
        return undo();
    }
    result.moved = true;
    result.folderInUse = plan.newFolder;
    for (const std::wstring& name : plan.toMove)
        if (!DeleteFileW((plan.oldFolder + name).c_str())) result.notDeleted.push_back({name, GetLastError()});
    return result;
}

}  // namespace tavrik::pages
