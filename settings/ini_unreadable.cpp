// When start-up waits for tavrik.ini, and when it gives up and leaves the file alone.
#include "settings/ini_unreadable.h"

namespace tavrik::settings {

IniReadFailure ClassifyIniReadError(std::uint32_t error) {
    switch (error) {
    case error_code::kSuccess: return IniReadFailure::None;
    case error_code::kFileNotFound:
    // The program's own folder holds the program, so a missing folder is a path that names none.
    case error_code::kPathNotFound: return IniReadFailure::Missing;
    case error_code::kInvalidName:
    case error_code::kFilenameTooLong:
    case error_code::kFileTooLarge:
    case error_code::kNoUnicodeTranslation: return IniReadFailure::Lasting;
    default: break;
    }
    // Sharing and lock violations, access denied, a sync client replacing the file, a cloud file
    // not on this computer, a drive or share not ready: each may pass, and none means "no file".
    return IniReadFailure::Passing;
}

IniReadStep NextIniReadStep(std::uint32_t error, std::uint32_t elapsedMs, const IniReadRetry& retry) {
    switch (ClassifyIniReadError(error)) {
    case IniReadFailure::None:
    case IniReadFailure::Missing: return IniReadStep::Use;
    case IniReadFailure::Lasting: return IniReadStep::HoldBack;
    case IniReadFailure::Passing: break;
    }
    return elapsedMs < retry.limitMs ? IniReadStep::TryAgain : IniReadStep::HoldBack;
}

bool ShouldOfferRestart(std::optional<std::uint64_t> askedAtMs, std::uint64_t nowMs, bool shownSinceAsked) {
    if (!askedAtMs || shownSinceAsked) return true;
    return nowMs - *askedAtMs >= kAskRestartAgainMs;
}

}  // namespace tavrik::settings
