// Windows version codes.
#include "app/os_version.h"

namespace tavrik::app {

int OsVersionCode(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    switch (platformId) {
    case kPlatformWin32s:
        return 1;
    case kPlatformWindows:
        if (major != 4) return 2;
        if (minor >= 90) return 4;
        if (minor >= 10) return 3;
        return 2;
    case kPlatformNt:
        if (major <= 4) return 5;
        if (major == 5) return minor == 0 ? 6 : 7;
        return 8;
    default:
        return 2;
    }
}

}  // namespace tavrik::app
