// The Windows version code from the system's version numbers.
#pragma once

#include <cstdint>

namespace tavrik::app {

// Platform ids as the system reports them.
inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;  // Windows 95, 98, Me
inline constexpr std::uint32_t kPlatformNt = 2;

// 1 Win32s, 2 Windows 95 and anything unknown, 3 Windows 98, 4 Windows Me, 5 NT 4 or older,
// 6 Windows 2000, 7 XP and Server 2003, 8 Vista and later.
int OsVersionCode(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor);

}  // namespace tavrik::app
