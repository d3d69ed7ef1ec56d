// (Win32) The versions of the page files on disk: kept, listed, dropped, renamed and moved with the pages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/page_versions.h"

namespace tavrik::pages {

// <save folder>\~versions\<page name>\, with its backslash.
std::wstring PageVersionsFolder(const std::wstring& saveFolder, std::wstring_view pageName);
// <user folder>Versions\<page name>\: where a page's versions go when its own folder cannot take
// them (a file in the way, a path too long, a full or read-only disk). Empty without a user folder.
std::wstring FallbackVersionsFolder(const std::wstring& userFolder, std::wstring_view pageName);

// The two places of a page's versions: beside the page files first, else the user's own folder.
struct VersionPlaces {
    std::wstring saveFolder;
    std::wstring userFolder;  // may be empty: then there is no second place
};

// Where a version went: the page's versions folder, the file's name in it, and the names of the
// files the folder held before it; or the error of the first place when it went nowhere.
struct KeptVersion {
    DWORD error = ERROR_SUCCESS;
    std::wstring folder;
    std::wstring name;
    std::vector<std::u16string> before;
    bool linked = false;  // a second name of the page file's bytes, not a copy of them
};

// Copies the page file as it is now into the page's versions folder, through a temporary file
// there that is flushed and then renamed into place. The folder is listed once; its folders are
// made only when it cannot be. The page file is only read. The name tells the local time, or
// follows the newest version there when the clock is behind it. `elsewhere`: the file holds what
// another program or computer wrote, and the name says so.
KeptVersion KeepVersion(const VersionPlaces& places, std::wstring_view pageName, const std::wstring& pagePath,
                        bool elsewhere = false);

// KeepVersion for a page file that a rename replaces next, then what a kept version calls for in
// its folder: copies of versions cut short become versions, and the versions over `keep` go by the
// rotation rule. The folder is listed once for it all unless there were copies to settle. Where the
// file system allows, the version is a second name of the page file's bytes, which the rename then
// leaves to the version alone: a save keeps it without copying the page. Should the rename fail,
// DetachVersion gives the version bytes of its own.
KeptVersion KeepVersionAndRotate(const VersionPlaces& places, std::wstring_view pageName, const std::wstring& pagePath,
                                 int keep, bool plain);

// A version that is a second name of a page file becomes a flushed copy of its own, so that what
// is later written into the page file in place cannot change it. On failure it stays as it was.
DWORD DetachVersion(const std::wstring& version);

// Keeps what `write` writes as a version of the page: text that is in no file, such as a page's
// before its file's text replaces it. ERROR_SUCCESS or the first place's error.
DWORD KeepVersionOf(const VersionPlaces& places, std::wstring_view pageName,
                    const std::function<bool(HANDLE file)>& write);

// Deletes versions from a page's versions folder by the rotation rule; `justKept` always stays,
// and so do files that are no versions.
void DropOldVersions(const std::wstring& folder, int keep, const std::wstring& justKept);
// The same after KeepVersion, from the names it found: the folder is not listed again.
void DropOldVersions(const KeptVersion& kept, int keep);

struct VersionFile {
    std::wstring path;
    VersionTime time;
    std::uint64_t size = 0;
};
// The page's versions in both places, newest first.
std::vector<VersionFile> ListVersions(const VersionPlaces& places, std::wstring_view pageName);

// The page's versions follow it to its new name, in both places; false when those beside the
// pages stay under the old one.
bool RenameVersions(const VersionPlaces& places, std::wstring_view oldName, std::wstring_view newName);

// The versions folder from the old save folder into the new one: renamed whole when it can be,
// else version by version, each written, flushed and only then deleted from the old folder.
// ERROR_SUCCESS, or the first error; whatever did not move is still in the old folder.
DWORD MoveVersions(const std::wstring& oldSaveFolder, const std::wstring& newSaveFolder);

}  // namespace tavrik::pages
