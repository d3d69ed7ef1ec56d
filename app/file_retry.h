// File operations another program refuses for a moment (a sync client or a virus scanner holding
// the file) are tried again before they count as failed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tavrik::app {

// The Windows error codes of a file someone else holds open, by number: this file is portable.
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorLockViolation = 33;
inline constexpr std::uint32_t kErrorHandleEof = 38;

bool IsMomentaryRefusal(std::uint32_t error);

struct RetryClock {
    std::function<std::uint64_t()> nowMs;
    std::function<void(std::uint32_t ms)> sleep;
};

inline constexpr std::uint32_t kRetryForMs = 1000;
inline constexpr std::uint32_t kRetryStepMs = 50;

// Runs `attempt` (0: done, else a Windows error) again while it is refused for a moment, for about
// `forMs`; returns the last answer.
std::uint32_t RetryWhileHeld(const std::function<std::uint32_t()>& attempt, const RetryClock& clock,
                             std::uint32_t forMs = kRetryForMs);

// One read of a whole file: the size the file said it had, and what reading it gave.
struct ReadTry {
    std::optional<std::string> bytes;  // nullopt: the read failed with `error`
    std::uint64_t size = 0;
    std::uint32_t error = 0;
};

// The file's content, read again while a read gives fewer bytes than the file said it had (it is
// being rewritten in place); nullopt with `error` when no read of `tries` gave it all.
std::optional<std::string> ReadUntilWhole(const std::function<ReadTry()>& read, std::uint32_t& error, int tries = 3);

}  // namespace tavrik::app
