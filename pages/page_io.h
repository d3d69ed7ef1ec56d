// Page files on disk: read whole, written whole through a temporary file.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "pages/file_retry.h"
#include "pages/page_book.h"

namespace tavrik::pages {

bool FileExists(const std::wstring& path);

// The path made absolute as Windows would take it; the path itself when it cannot be.
std::wstring FullPath(const std::wstring& path);

// What lies at a page file's place. Only a file missing from a folder that is there makes a new,
// empty page; anything else (the folder away, a share not connected, no access, a folder of that
// name) leaves the page unread, with the system's error in `error`.
enum class FileProbe { File, Absent, Unreachable };
FileProbe ProbeFile(const std::wstring& path, DWORD& error);

// Whether Windows takes the two names for one file: it ignores letter case, in every script.
bool SameFileName(std::wstring_view a, std::wstring_view b);

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

// The whole file, or nullopt with the system's error in `error`; a read that comes up short of the
// file's size is made again. ERROR_FILE_TOO_LARGE for a file past kMaxPageFileBytes or one there is
// no memory for.
std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error);

// `write` fills a new temporary file in the same folder; only when it and the flush succeed does
// the temporary file replace `path`. Returns ERROR_SUCCESS or the error; on error the old file is
// untouched and no temporary file is left behind. A replace refused for a moment (the file held
// open by another program) is tried again for about a second. `beforeReplace`, when given, is
// called with the temporary file's path once it is complete and closed, while `path` still holds
// the old file; an error from it stops the replace and is returned.
DWORD ReplaceFileContents(const std::wstring& path, const std::function<bool(HANDLE file)>& write,
                          const std::function<DWORD(const std::wstring& newFile)>& beforeReplace = {});

// The system's clock and sleep, for the retries of file operations.
RetryClock SystemClock();

// Whether the file at `base`, named like a page without extension, is an old version's page
// (pages::IsOldPageFile, its folder looked at for plain text).
bool IsOldPageFileAt(const std::wstring& base);

// Files of old versions have no extension: `base` becomes `path` (base + ".tvk") when it is such a
// page (IsOldPageFile). A .tvk file already there wins, and the old one stays; so does a file of
// another kind that only shares the page's name.
void GiveOldFileItsExtension(const std::wstring& base, const std::wstring& path);

// WriteFile until every byte is out.
bool WriteAll(HANDLE file, const void* data, size_t size);

}  // namespace tavrik::pages
