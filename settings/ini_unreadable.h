// tavrik.ini that could not be read at start: a first run, a passing lock worth waiting for, or a
// file to leave alone for the whole run.
#pragma once

#include <cstdint>
#include <optional>

namespace tavrik::settings {

// The Windows error codes these rules tell apart, as the file services report them.
namespace error_code {
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kInvalidName = 123;
inline constexpr std::uint32_t kFilenameTooLong = 206;
inline constexpr std::uint32_t kFileTooLarge = 223;
inline constexpr std::uint32_t kNoUnicodeTranslation = 1113;
}  // namespace error_code

enum class IniReadFailure {
    None,     // the file was read
    Missing,  // no file: the defaults, as on a first run
    Passing,  // held by another program, offline, denied: it may pass in a moment
    Lasting,  // no waiting changes it
};

IniReadFailure ClassifyIniReadError(std::uint32_t error);

// How long start-up waits for a file that cannot be read yet, and how often it tries.
struct IniReadRetry {
    std::uint32_t limitMs = 5000;
    std::uint32_t pauseMs = 250;
};

enum class IniReadStep {
    Use,       // read, or missing: start-up goes on with what there is
    TryAgain,  // wait retry.pauseMs, then read again
    HoldBack,  // run without the file and write nothing to it
};

// After a read that ended with `error`, `elapsedMs` after the first try.
IniReadStep NextIniReadStep(std::uint32_t error, std::uint32_t elapsedMs, const IniReadRetry& retry);

// How often a file that can be read again is offered for a restart while the user says no.
inline constexpr std::uint64_t kAskRestartAgainMs = 60ull * 60 * 1000;

// Whether to offer the restart now: never asked, or asked an hour ago, or the window came up since.
bool ShouldOfferRestart(std::optional<std::uint64_t> askedAtMs, std::uint64_t nowMs, bool shownSinceAsked);

}  // namespace tavrik::settings
