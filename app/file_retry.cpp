// Retries of file operations refused for a moment, and of reads cut short.
#include "app/file_retry.h"

namespace tavrik::app {

// Access denied is also what a rename over a file gets while another program has it open without
// sharing delete, and what a file marked for deletion answers until its last handle closes.
bool IsMomentaryRefusal(std::uint32_t error) {
    return error == kErrorSharingViolation || error == kErrorAccessDenied || error == kErrorLockViolation;
}

std::uint32_t RetryWhileHeld(const std::function<std::uint32_t()>& attempt, const RetryClock& clock,
                             std::uint32_t forMs) {
    const std::uint64_t start = clock.nowMs();
    for (;;) {
        const std::uint32_t error = attempt();
        if (error == 0 || !IsMomentaryRefusal(error) || clock.nowMs() - start >= forMs) return error;
        clock.sleep(kRetryStepMs);
    }
}

std::optional<std::string> ReadUntilWhole(const std::function<ReadTry()>& read, std::uint32_t& error, int tries) {
    error = kErrorHandleEof;
    for (int i = 0; i < tries; ++i) {
        ReadTry got = read();
        if (!got.bytes) {
            error = got.error;
            return std::nullopt;
        }
        // More than it said is a file that grew meanwhile, and each read stops at the size it saw.
        if (got.bytes->size() >= got.size) {
            error = 0;
            return std::move(got.bytes);
        }
    }
    return std::nullopt;
}

}  // namespace tavrik::app
