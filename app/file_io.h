// (Win32) Whole files on disk: read whole, written whole through a temporary file that then replaces
// the old one, so a cut write never leaves half a file. Win32.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/file_retry.h"

namespace tavrik::app {

bool FileExists(const std::wstring& path);

// The path made absolute as Windows would take it; the path itself when it cannot be.
std::wstring FullPath(const std::wstring& path);

// Whether Windows takes the two names for one file: it ignores letter case, in every script.
bool SameFileName(std::wstring_view a, std::wstring_view b);

// The whole file, or nullopt with the system's error in `error`; a read that comes up short of the
// file's size is made again. ERROR_FILE_TOO_LARGE for a file past pages::kMaxPageFileBytes or one there is
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

// The number of names (hard links) the file has; nullopt when it cannot be opened or the file
// system does not say.
std::optional<DWORD> LinkCount(const std::wstring& path);

// Writes `bytes` over the existing file itself, cut to their length and flushed, so every hard
// link of it sees them. Not atomic: callers keep a copy of what it held. ERROR_SUCCESS or the error.
DWORD RewriteInPlace(const std::wstring& path, std::string_view bytes);

// The system's clock and sleep, for the retries of file operations.
RetryClock SystemClock();

// WriteFile until every byte is out.
bool WriteAll(HANDLE file, const void* data, size_t size);

}  // namespace tavrik::app
