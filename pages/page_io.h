// Page files on disk: read whole, written whole through a temporary file.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tavrik::pages {

bool FileExists(const std::wstring& path);

// The whole file, or nullopt with the system's error in `error`.
std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error);

// `write` fills a new temporary file in the same folder; only when it and the flush succeed does
// the temporary file replace `path`. Returns ERROR_SUCCESS or the error; on error the old file is
// untouched and no temporary file is left behind.
DWORD ReplaceFileContents(const std::wstring& path, const std::function<bool(HANDLE file)>& write);

// WriteFile until every byte is out.
bool WriteAll(HANDLE file, const void* data, size_t size);

}  // namespace tavrik::pages
