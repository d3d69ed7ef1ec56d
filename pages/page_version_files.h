// The versions of the page files on disk: kept, listed, dropped, renamed and moved with the pages.
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

// Copies the page file as it is now into the page's versions folder under the local time, through
// a temporary file there that is flushed and then renamed into place; the folders are made as
// needed. The page file is only read. ERROR_SUCCESS or the error. `elsewhere`: the file holds what
// another program or computer wrote, and the name says so.
DWORD KeepVersion(const std::wstring& saveFolder, std::wstring_view pageName, const std::wstring& pagePath,
                  bool elsewhere = false);

// Keeps what `write` writes as a version of the page under the local time: text that is in no
// file, such as a page's before its file's text replaces it.
DWORD KeepVersionOf(const std::wstring& saveFolder, std::wstring_view pageName,
                    const std::function<bool(HANDLE file)>& write);

// Deletes the page's oldest versions so that `keep` remain; other files there stay.
void DropOldVersions(const std::wstring& saveFolder, std::wstring_view pageName, int keep);

struct VersionFile {
    std::wstring path;
    VersionTime time;
    std::uint64_t size = 0;
};
// The page's versions, newest first.
std::vector<VersionFile> ListVersions(const std::wstring& saveFolder, std::wstring_view pageName);

// The page's versions follow it to its new name; false when they stay under the old one.
bool RenameVersions(const std::wstring& saveFolder, std::wstring_view oldName, std::wstring_view newName);

// The versions folder from the old save folder into the new one: renamed whole when it can be,
// else version by version, each written, flushed and only then deleted from the old folder.
// ERROR_SUCCESS, or the first error; whatever did not move is still in the old folder.
DWORD MoveVersions(const std::wstring& oldSaveFolder, const std::wstring& newSaveFolder);

}  // namespace tavrik::pages
