// What a file in the page folder must be before it is read into memory or taken over as a page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavrik::pages {

// The largest page file read whole. Its text is held several times over while it is shown or
// searched (the bytes, the control's own copy in UTF-16, a folded copy for searching), so a
// 32-bit process, with 2 GB of address space in pieces, stops much earlier.
inline constexpr std::uint64_t kMaxPageFileBytes = sizeof(void*) >= 8 ? 256ull << 20 : 48ull << 20;

constexpr bool FitsInMemory(std::uint64_t size) { return size <= kMaxPageFileBytes; }

// How much of a file is looked at to tell an old version's page from someone else's file.
inline constexpr std::size_t kOldPageSniffBytes = std::size_t{64} << 10;

// Whether a file named like a page without extension is the page as an old version wrote it, from
// its first bytes (`head`, at most kOldPageSniffBytes): rich text always; plain text only in a
// folder that holds pages (`folderHoldsPages`), since in a folder like Documents a text file
// named like a page is more likely the user's own.
bool IsOldPageFile(std::string_view head, bool folderHoldsPages);

}  // namespace tavrik::pages
