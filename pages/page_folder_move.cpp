// (Win32) The move of the page files to a new folder.
#include "pages/page_folder_move.h"

#include "app/text.h"
#include "app/unique.h"
#include "pages/page_file_look.h"
#include "pages/page_version_files.h"

#include <algorithm>

namespace tavrik::pages {
namespace {

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

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    app::UniqueFile handle(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && GetFileInformationByHandle(handle.Get(), &info);
}

bool SameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

// Deletes the old file unless it is `copy` (the identity of the file under its name in the new
// folder) reached another way: one open that both tells and deletes, no more than DeleteFileW costs.
DWORD DeleteUnlessCopy(const std::wstring& old, const BY_HANDLE_FILE_INFORMATION& copy) {
    app::UniqueFile handle(CreateFileW(old.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle) return GetLastError();
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle.Get(), &info)) return GetLastError();
    if (SameIdentity(info, copy)) return ERROR_SUCCESS;  // the page's only file: it stays
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (!SetFileInformationByHandle(handle.Get(), FileDispositionInfo, &dispose, sizeof dispose)) return GetLastError();
    return ERROR_SUCCESS;
}

std::wstring PageNameOf(const std::wstring& fileName) {
    constexpr size_t kExtension = 4;  // ".tvk"
    return fileName.size() > kExtension ? fileName.substr(0, fileName.size() - kExtension) : fileName;
}

std::wstring TempName(const std::wstring& folder, size_t index) {
    return folder + L"~tvkmove" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount64()) +
           L"_" + std::to_wstring(index) + L".tmp";
}

constexpr size_t kFlushBatch = 64;  // copies flushed together; also bounds the files held open

// Writes `bytes` to a new file at `path` and reads it back through the same handle: the copy
// counts only when the file gives back exactly what was read from the original. The file is left
// open in `file` for its flush. A file made here and not checked is deleted again; one that was
// there already is never touched.
DWORD WriteChecked(const std::wstring& path, const std::string& bytes, app::UniqueFile& file) {
    file.Reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr));
    if (!file) return GetLastError();
    const auto check = [&]() -> DWORD {
        if (!app::WriteAll(file.Get(), bytes.data(), bytes.size())) {
            const DWORD error = GetLastError();
            return error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error;
        }
        if (!SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return GetLastError();
        std::string back(bytes.size() + 1, '\0');  // one byte more: a longer file must show itself
        size_t done = 0;
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file.Get(), back.data() + done, static_cast<DWORD>(back.size() - done), &got, nullptr))
                return GetLastError();
            if (got == 0 || (done += got) == back.size()) break;
        }
        return done == bytes.size() && back.compare(0, done, bytes) == 0 ? ERROR_SUCCESS : ERROR_CRC;
    };
    const DWORD error = check();
    if (error != ERROR_SUCCESS) {
        file.Reset();
        (void)DeleteFileW(path.c_str());
    }
    return error;
}

}  // namespace

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    if (FolderIdentity(a, infoA) && FolderIdentity(b, infoB)) return SameIdentity(infoA, infoB);
    return app::SameFileName(WithBackslash(app::FullPath(a)), WithBackslash(app::FullPath(b)));
}

FolderMovePlan PlanFolderMove(const std::wstring& oldFolder, const std::wstring& typedFolder,
                              const std::vector<std::wstring>& fileNames) {
    FolderMovePlan plan;
    plan.oldFolder = WithBackslash(oldFolder);
    plan.problem = CheckFolderText(app::ToU16(typedFolder));
    if (plan.problem != FolderTextProblem::None) return plan;
    // "C:\Notes\.\" and "C:\Notes\sub\..\" are one folder: the full path takes the dots out.
    plan.newFolder = WithBackslash(app::FullPath(WithBackslash(typedFolder)));
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
        plan.folderMissing = true;
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
        case FileProbe::Absent: plan.withoutFile.push_back(name); break;  // never saved: nothing to move
        case FileProbe::Unreachable: plan.blocked.push_back({name, error}); continue;
        case FileProbe::File: plan.toMove.push_back(name); break;
        }
        if (!plan.folderMissing && GetFileAttributesW((plan.newFolder + name).c_str()) != INVALID_FILE_ATTRIBUTES)
            plan.existing.push_back(name);
    }
    return plan;
}

FolderMoveResult ExecuteFolderMove(const FolderMovePlan& plan, SameNames sameNames,
                                   const std::function<bool(const std::wstring& newFolder)>& storeFolder) {
    FolderMoveResult result;
    result.folderInUse = plan.oldFolder;
    if (!plan.CanMove()) {
        result.failed = plan.blocked;
        return result;
    }
    if (plan.folderMissing) {
        // No folder is made for the pages: a typing slip would otherwise become their new home.
        for (const std::wstring& name : plan.toMove) result.failed.push_back({name, ERROR_PATH_NOT_FOUND});
        if (result.failed.empty()) result.failed.push_back({L"", ERROR_PATH_NOT_FOUND});
        return result;
    }
    if (!plan.existing.empty() && sameNames == SameNames::Refuse) return result;
    // Only the files the user was shown may be replaced or taken; one that appeared since was not agreed to.
    const auto agreed = [&](const std::wstring& name) {
        return sameNames != SameNames::Refuse &&
               std::find(plan.existing.begin(), plan.existing.end(), name) != plan.existing.end();
    };

    const size_t count = plan.toMove.size();
    std::vector<std::wstring> asides(count);  // files that held a page's name in the new folder, renamed away
    std::vector<bool> made(count, false);     // the page's name in the new folder holds our checked copy
    std::vector<BY_HANDLE_FILE_INFORMATION> copies(count);  // what is under each page's name there, once checked
    std::vector<std::pair<std::wstring, std::wstring>> emptied;  // (aside, name) for pages without a file
    auto undo = [&] {
        for (size_t i = 0; i < count; ++i) {
            const std::wstring target = plan.newFolder + plan.toMove[i];
            if (made[i]) {
                // Renamed off the name first: a copy someone has just opened would keep the name until
                // closed, and the file set aside could not come back.
                const std::wstring doomed = TempName(plan.newFolder, 2 * count + i);
                if (MoveFileExW(target.c_str(), doomed.c_str(), 0)) (void)DeleteFileW(doomed.c_str());
                else (void)DeleteFileW(target.c_str());
            }
            if (!asides[i].empty()) (void)MoveFileExW(asides[i].c_str(), target.c_str(), 0);
        }
        for (const auto& [aside, name] : emptied) (void)MoveFileExW(aside.c_str(), (plan.newFolder + name).c_str(), 0);
        result.copied.clear();
        result.taken.clear();
        return result;
    };
    // The file there is kept as a version of its page before it is renamed away, so the replace can
    // be taken back from Versions once the move is done.
    const auto setAside = [&](const std::wstring& name, std::wstring& aside, size_t index) -> DWORD {
        const std::wstring target = plan.newFolder + name;
        if (const DWORD error = KeepVersion({plan.newFolder, {}}, PageNameOf(name), target).error; error != ERROR_SUCCESS)
            return error;
        const std::wstring temp = TempName(plan.newFolder, index);
        if (!MoveFileExW(target.c_str(), temp.c_str(), 0)) return GetLastError();
        aside = temp;
        return ERROR_SUCCESS;
    };

    // Each copy is made under the page's name with CREATE_NEW, so it never replaces anything by
    // accident, and read back. The copies are flushed in batches, far cheaper than one flush after
    // each, and all before any old file goes. No temporary name and rename: under Wine each name
    // not there yet costs a read of the whole folder. A file already under the name is renamed
    // away rather than replaced, so that a failure further on can give it back. A failed copy does
    // not stop the others: the user is told of every file that would not move, and then every copy
    // is taken back.
    std::vector<std::pair<size_t, app::UniqueFile>> unflushed;
    const auto flush = [&] {
        for (auto& [i, file] : unflushed)
            if (!FlushFileBuffers(file.Get()) || !GetFileInformationByHandle(file.Get(), &copies[i]))
                result.failed.push_back({plan.toMove[i], GetLastError()});
        unflushed.clear();
    };
    for (size_t i = 0; i < count; ++i) {
        const std::wstring& name = plan.toMove[i];
        const std::wstring target = plan.newFolder + name;
        DWORD error = ERROR_SUCCESS;
        app::UniqueFile file;
        const std::optional<std::string> bytes = app::ReadWholeFile(plan.oldFolder + name, error);
        if (bytes) error = WriteChecked(target, *bytes, file);
        if (bytes && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && agreed(name)) {
            if (sameNames == SameNames::UseTheirs) {
                // Theirs stays the page; ours is kept beside it as a version and goes from the old folder.
                error = KeepVersion({plan.newFolder, {}}, PageNameOf(name), plan.oldFolder + name).error;
                if (error == ERROR_SUCCESS && !FileIdentity(target, copies[i])) error = GetLastError();
                if (error == ERROR_SUCCESS) result.taken.push_back(name);
                else result.failed.push_back({name, error});
                continue;
            }
            error = setAside(name, asides[i], count + i);
            if (error == ERROR_SUCCESS) error = WriteChecked(target, *bytes, file);
        }
        if (error != ERROR_SUCCESS) {
            result.failed.push_back({name, error});
            continue;
        }
        made[i] = true;
        result.copied.push_back(name);
        unflushed.emplace_back(i, std::move(file));
        if (unflushed.size() == kFlushBatch) flush();
    }
    flush();
    // A page with no file would write its first one over a file of its name there.
    for (size_t i = 0; i < plan.withoutFile.size(); ++i) {
        const std::wstring& name = plan.withoutFile[i];
        if (GetFileAttributesW((plan.newFolder + name).c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        if (!agreed(name)) {
            result.failed.push_back({name, ERROR_FILE_EXISTS});
        } else if (sameNames == SameNames::UseTheirs) {
            result.taken.push_back(name);
        } else {
            std::wstring aside;
            if (const DWORD error = setAside(name, aside, 3 * count + i); error != ERROR_SUCCESS)
                result.failed.push_back({name, error});
            else emptied.emplace_back(aside, name);
        }
    }
    if (!result.failed.empty()) return undo();
    if (storeFolder && !storeFolder(plan.newFolder)) {
        result.failed.push_back({L"", ERROR_WRITE_FAULT});
        return undo();
    }
    result.moved = true;
    result.folderInUse = plan.newFolder;
    for (const std::wstring& aside : asides)
        if (!aside.empty()) (void)DeleteFileW(aside.c_str());  // replaced, as the user agreed, and kept as a version
    for (const auto& [aside, name] : emptied) (void)DeleteFileW(aside.c_str());
    // The new folder can reach the old one's files by another way (a link, a share of the same
    // disk) that the folder check did not see; then the old file is the page's only file.
    for (size_t i = 0; i < count; ++i)
        if (const DWORD error = DeleteUnlessCopy(plan.oldFolder + plan.toMove[i], copies[i]); error != ERROR_SUCCESS)
            result.notDeleted.push_back({plan.toMove[i], error});
    return result;
}

}  // namespace tavrik::pages
