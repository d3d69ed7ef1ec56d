#include "window/fade.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace tavrik::window;

TEST(Fade, StepsByTheSpeedThenSetsTheLimit) {
    EXPECT_EQ(FadeInAlphas(255, 99), (std::vector<int>{0, 99, 198, 255}));
    EXPECT_EQ(FadeOutAlphas(255, 99), (std::vector<int>{255, 156, 57, 0}));
    // A step that lands on the limit is applied twice, as the last step sets it anyway.
    EXPECT_EQ(FadeInAlphas(100, 50), (std::vector<int>{0, 50, 100, 100}));
    EXPECT_EQ(FadeOutAlphas(100, 50), (std::vector<int>{100, 50, 0, 0}));
    EXPECT_EQ(FadeInAlphas(255, 5).size(), 53u);  // the defaults: 0, 5, ..., 255, 255
}

TEST(Fade, HandEditedValuesStayFiniteAndInRange) {
    EXPECT_EQ(FadeInAlphas(-40, 5), (std::vector<int>{0, 0}));
    EXPECT_EQ(FadeOutAlphas(1000, 300), (std::vector<int>{255, 0}));
    EXPECT_EQ(FadeInAlphas(15, INT_MAX), (std::vector<int>{0, 15}));
    EXPECT_EQ(FadeInAlphas(3, 0), (std::vector<int>{0, 1, 2, 3, 3}));  // no speed: the slowest fade
    EXPECT_EQ(FadeOutAlphas(3, -9), (std::vector<int>{3, 2, 1, 0, 0}));
    for (int max : {INT_MIN, -1, 0, 255, 256, INT_MAX}) {
        for (int speed : {INT_MIN, -1, 0, 1, 1000, INT_MAX}) {
            for (const std::vector<int>& alphas : {FadeInAlphas(max, speed), FadeOutAlphas(max, speed)}) {
                EXPECT_LE(alphas.size(), 258u) << max << ' ' << speed;
                for (int alpha : alphas) EXPECT_TRUE(alpha >= 0 && alpha <= 255) << max << ' ' << speed;
            }
            EXPECT_EQ(FadeInAlphas(max, speed).back(), ShownAlpha(max));
        }
    }
}
