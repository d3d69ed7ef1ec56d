// A moment's lock on a file is waited out; a lock that stays, or another error, is not.
#include "app/file_retry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavrik::app;

namespace {
// Windows' error codes, spelled out here rather than taken from the code under test.
constexpr std::uint32_t kOk = 0, kDenied = 5, kShared = 32, kLocked = 33, kNotFound = 3, kDiskFull = 112;
}  // namespace

TEST(FileRetry, MomentaryRefusalsAreWaitedOutForAboutASecond) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> answers;  // the last one repeats
        std::uint64_t attemptMs;             // how long each attempt takes
        std::uint32_t expected;
        int attempts;
    };
    const Case cases[] = {
        {"done at once", {kOk}, 0, kOk, 1},
        {"a scanner holds it twice", {kShared, kShared, kOk}, 0, kOk, 3},
        {"a sync client's byte lock", {kLocked, kOk}, 0, kOk, 2},
        {"a rename over a file open without delete sharing", {kDenied, kDenied, kOk}, 1, kOk, 3},
        {"held for good: given up after a second of 50 ms steps", {kShared}, 0, kShared, 21},
        {"read-only for good", {kDenied}, 0, kDenied, 21},
        {"slow attempts count towards the second", {kShared}, 400, kShared, 3},
        {"the folder is gone: no wait", {kNotFound}, 0, kNotFound, 1},
        {"the disk is full: no wait", {kShared, kDiskFull}, 0, kDiskFull, 2},
    };
    for (const Case& c : cases) {
        std::uint64_t now = 5000;
        int attempts = 0;
        const RetryClock clock{[&] { return now; }, [&](std::uint32_t ms) { now += ms; }};
        const std::uint32_t result = RetryWhileHeld([&] {
            now += c.attemptMs;
            const size_t i = static_cast<size_t>(attempts++);
            return c.answers[i < c.answers.size() ? i : c.answers.size() - 1];
        }, clock);
        EXPECT_EQ(result, c.expected) << c.what;
        EXPECT_EQ(attempts, c.attempts) << c.what;
    }
}

TEST(FileRetry, AShortReadIsNeverTakenForTheWholeFile) {
    struct Case {
        const char* what;
        std::vector<ReadTry> reads;
        std::optional<std::string> expected;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"whole at once", {{"{\\rtf1 Milk}", 12}}, "{\\rtf1 Milk}", kOk},
        {"cut short, then whole", {{"{\\rtf1 Mi", 12}, {"{\\rtf1 Milk}", 12}}, "{\\rtf1 Milk}", kOk},
        {"grew while read: what its size said", {{"abc", 3}}, "abc", kOk},
        {"an empty file", {{"", 0}}, "", kOk},
        {"short every time", {{"ab", 3}, {"ab", 3}, {"ab", 3}, {"abc", 3}}, std::nullopt, 38},
        {"shrank, then could not be opened", {{"ab", 3}, {std::nullopt, 0, kShared}}, std::nullopt, kShared},
    };
    for (const Case& c : cases) {
        size_t next = 0;
        std::uint32_t error = 12345;
        const auto bytes = ReadUntilWhole([&] { return c.reads[next++]; }, error);
        EXPECT_EQ(bytes, c.expected) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
}
