#include "settings/ini_unreadable.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace tavrik::settings;

namespace {
// Error codes as Windows' winerror.h numbers them.
struct ErrorCase {
    std::uint32_t error;
    const char* name;
    IniReadFailure expected;
};

constexpr ErrorCase kErrors[] = {
    {0, "ERROR_SUCCESS", IniReadFailure::None},
    {2, "ERROR_FILE_NOT_FOUND", IniReadFailure::Missing},
    {3, "ERROR_PATH_NOT_FOUND", IniReadFailure::Missing},
    {5, "ERROR_ACCESS_DENIED", IniReadFailure::Passing},  // also a file pending delete while replaced
    {21, "ERROR_NOT_READY", IniReadFailure::Passing},
    {32, "ERROR_SHARING_VIOLATION", IniReadFailure::Passing},
    {33, "ERROR_LOCK_VIOLATION", IniReadFailure::Passing},
    {53, "ERROR_BAD_NETPATH", IniReadFailure::Passing},
    {59, "ERROR_UNEXP_NET_ERR", IniReadFailure::Passing},
    {64, "ERROR_NETNAME_DELETED", IniReadFailure::Passing},
    {303, "ERROR_DELETE_PENDING", IniReadFailure::Passing},
    {362, "ERROR_CLOUD_FILE_PROVIDER_NOT_RUNNING", IniReadFailure::Passing},
    {1167, "ERROR_DEVICE_NOT_CONNECTED", IniReadFailure::Passing},
    {1231, "ERROR_NETWORK_UNREACHABLE", IniReadFailure::Passing},
    {4350, "ERROR_FILE_OFFLINE", IniReadFailure::Passing},
    {123, "ERROR_INVALID_NAME", IniReadFailure::Lasting},
    {206, "ERROR_FILENAME_EXCED_RANGE", IniReadFailure::Lasting},
    {223, "ERROR_FILE_TOO_LARGE", IniReadFailure::Lasting},
    {1113, "ERROR_NO_UNICODE_TRANSLATION", IniReadFailure::Lasting},
};
}  // namespace

TEST(IniUnreadable, OnlyAMissingFileIsAFirstRun) {
    for (const ErrorCase& c : kErrors) EXPECT_EQ(ClassifyIniReadError(c.error), c.expected) << c.name;
}

TEST(IniUnreadable, WaitsForAPassingFailureUntilTheLimit) {
    const IniReadRetry retry;  // the defaults start-up uses
    EXPECT_EQ(retry.limitMs, 5000u);
    EXPECT_GT(retry.pauseMs, 0u);
    EXPECT_LE(retry.pauseMs, 500u);
    struct Case {
        std::uint32_t error;
        std::uint32_t elapsedMs;
        IniReadStep expected;
    };
    const Case cases[] = {
        {0, 0, IniReadStep::Use},
        {0, 4900, IniReadStep::Use},         // read on the last try
        {2, 0, IniReadStep::Use},            // missing: the defaults, no waiting
        {3, 0, IniReadStep::Use},
        {32, 0, IniReadStep::TryAgain},      // sharing violation
        {32, 4999, IniReadStep::TryAgain},
        {32, 5000, IniReadStep::HoldBack},
        {5, 2500, IniReadStep::TryAgain},    // access denied
        {5, 60000, IniReadStep::HoldBack},
        {362, 250, IniReadStep::TryAgain},   // cloud provider not running
        {223, 0, IniReadStep::HoldBack},     // too large: waiting changes nothing
        {1113, 0, IniReadStep::HoldBack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextIniReadStep(c.error, c.elapsedMs, retry), c.expected) << c.error << " after " << c.elapsedMs;

    const IniReadRetry none{0, 10};  // no waiting at all
    EXPECT_EQ(NextIniReadStep(32, 0, none), IniReadStep::HoldBack);
}

TEST(IniUnreadable, OffersTheRestartHourlyOrAtTheNextShow) {
    constexpr std::uint64_t kHour = 3600000;
    struct Case {
        std::optional<std::uint64_t> askedAt;
        std::uint64_t now;
        bool shownSince;
        bool expected;
    };
    const Case cases[] = {
        {std::nullopt, 7, false, true},           // never asked
        {1000, 1000 + 5000, false, false},        // said no five seconds ago
        {1000, 1000 + kHour - 1, false, false},
        {1000, 1000 + kHour, false, true},
        {1000, 1000 + 5000, true, true},          // the window came up since
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShouldOfferRestart(c.askedAt, c.now, c.shownSince), c.expected)
            << (c.askedAt ? *c.askedAt : 0) << " " << c.now << " " << c.shownSince;
}
