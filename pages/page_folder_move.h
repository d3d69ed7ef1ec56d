// (Win32) Moving every page file to another folder: planned first, so the caller can ask before anything
// is touched, then copied, checked and only then taken from the old folder. Shows no UI.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/folder_text.h"

namespace tavrik::pages {

struct FileError {
    std::wstring fileName;  // "name.tvk"; empty when the error is the folder's
    DWORD error = ERROR_SUCCESS;
};

struct FolderMovePlan {
    FolderTextProblem problem = FolderTextProblem::None;  // the typed text is refused: nothing to do
    bool sameFolder = false;        // the typed text reaches the folder in use: nothing to do
    bool folderMissing = false;     // the new folder is not there: it is never made, so nothing can move
    std::wstring oldFolder;         // both with a trailing backslash
    std::wstring newFolder;
    std::vector<std::wstring> toMove;       // page files present in the old folder
    std::vector<std::wstring> withoutFile;  // pages with no file yet: their first save must not replace one there
    std::vector<std::wstring> existing;     // of both, the ones a file in the new folder already holds
    std::vector<FileError> blocked;      // reasons the move cannot start (old file or new folder unreachable)

    bool CanMove() const { return problem == FolderTextProblem::None && !sameFolder && blocked.empty(); }
};

// `fileNames` are the pages' file names ("name.tvk"). A page without a file has nothing to move.
FolderMovePlan PlanFolderMove(const std::wstring& oldFolder, const std::wstring& typedFolder,
                              const std::vector<std::wstring>& fileNames);

// What the user chose for the files in the new folder that hold page names (`plan.existing`).
enum class SameNames {
    Refuse,     // nothing moves
    Replace,    // ours replace them; each is kept first as a version of its page in the new folder
    UseTheirs,  // they become the pages; our files are kept as versions there
};

struct FolderMoveResult {
    bool moved = false;               // the pages now live in `folderInUse`
    std::wstring folderInUse;         // what SaveToFolder must be from now on
    std::vector<std::wstring> copied; // files now in the new folder
    std::vector<FileError> failed;    // why nothing moved: every file that could not be copied, or the folder's reason
    std::vector<FileError> notDeleted;  // old files left behind after a complete move; nothing lost
    std::vector<std::wstring> taken;    // pages whose file is now the one that was in the new folder
};

// The caller saves every changed page first and asks about `plan.existing`. A file under a page's
// name that was not in the plan (it appeared while the user was asked) stops the move, named.
// `storeFolder` is called once every copy is complete and checked, before any old file is deleted:
// it writes SaveTo and returns false when that failed, which undoes the copies. On any failure the
// old folder stays whole and in use, the new folder holds what it held before (replaced files
// included) and no partial copy; versions kept on the way stay. An old file is deleted only when
// it is not its own copy reached another way.
FolderMoveResult ExecuteFolderMove(const FolderMovePlan& plan, SameNames sameNames,
                                   const std::function<bool(const std::wstring& newFolder)>& storeFolder);

// Whether two paths reach one folder: by volume and file index, so spellings, short names, links
// and mapped drives do not matter. Falls back to the full paths when a folder cannot be opened.
bool SameFolder(const std::wstring& a, const std::wstring& b);

}  // namespace tavrik::pages
