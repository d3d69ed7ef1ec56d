// (Win32) Page files on disk: what lies at a page file's place, and whether it is still what the page
// last read or wrote. Win32.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/file_io.h"
#include "pages/page_book.h"

namespace tavrik::pages {

// What lies at a page file's place. Only a file missing from a folder that is there makes a new,
// empty page; anything else (the folder away, a share not connected, no access, a folder of that
// name) leaves the page unread, with the system's error in `error`.
enum class FileProbe { File, Absent, Unreachable };
FileProbe ProbeFile(const std::wstring& path, DWORD& error);

// Size, time and identity of the file, without reading it; nullopt with the error when there is
// no file to ask.
std::optional<FileStamp> StampOf(const std::wstring& path, DWORD& error);

// A page file now, against what the page knew of it. The bytes are read only when the stamp
// cannot tell, and then come with their hash.
struct FileLook {
    FileNow now = FileNow::AsKnown;
    std::optional<FileStamp> stamp;
    std::optional<std::string> bytes;
    std::uint64_t hash = 0;
    DWORD error = ERROR_SUCCESS;
};
FileLook LookAtFile(const std::wstring& path, const std::optional<KnownFile>& known);

// Whether the file at `base`, named like a page without extension, is an old version's page
// (pages::IsOldPageFile, its folder looked at for plain text).
bool IsOldPageFileAt(const std::wstring& base);

// Files of old versions have no extension: `base` becomes `path` (base + ".tvk") when it is such a
// page (IsOldPageFile). A .tvk file already there wins, and the old one stays; so does a file of
// another kind that only shares the page's name.
void GiveOldFileItsExtension(const std::wstring& base, const std::wstring& path);

}  // namespace tavrik::pages
