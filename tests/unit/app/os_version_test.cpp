#include "app/os_version.h"

#include <gtest/gtest.h>

using namespace tavrik::app;

TEST(OsVersion, CodesOfEveryFamily) {
    EXPECT_EQ(OsVersionCode(kPlatformWin32s, 3, 10), 1);
    EXPECT_EQ(OsVersionCode(kPlatformWindows, 4, 0), 2);    // 95
    EXPECT_EQ(OsVersionCode(kPlatformWindows, 4, 9), 2);
    EXPECT_EQ(OsVersionCode(kPlatformWindows, 4, 10), 3);   // 98
    EXPECT_EQ(OsVersionCode(kPlatformWindows, 4, 89), 3);
    EXPECT_EQ(OsVersionCode(kPlatformWindows, 4, 90), 4);   // Me
    EXPECT_EQ(OsVersionCode(kPlatformWindows, 5, 0), 2);    // unknown
    EXPECT_EQ(OsVersionCode(kPlatformNt, 3, 51), 5);
    EXPECT_EQ(OsVersionCode(kPlatformNt, 4, 0), 5);
    EXPECT_EQ(OsVersionCode(kPlatformNt, 5, 0), 6);         // 2000
    EXPECT_EQ(OsVersionCode(kPlatformNt, 5, 1), 7);         // XP
    EXPECT_EQ(OsVersionCode(kPlatformNt, 5, 2), 7);         // Server 2003
    EXPECT_EQ(OsVersionCode(kPlatformNt, 6, 0), 8);         // Vista
    EXPECT_EQ(OsVersionCode(kPlatformNt, 10, 0), 8);        // 10 and 11
    EXPECT_EQ(OsVersionCode(3, 10, 0), 2);                  // a platform nobody knows
}
