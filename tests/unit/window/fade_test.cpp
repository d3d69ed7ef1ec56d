#include "window/fade.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A fade on a clock of its own: each alpha set costs stepMs.
TEST(Fade, PaceKeepsEveryAlphaInTimeAndSkipsToEndInBudgetWhenSlow) {
    const std::vector<int> in = FadeInAlphas(255, 5);    // 53 alphas, 52 slots
    const std::vector<int> out = FadeOutAlphas(255, 5);
    const double budget = 52;                              // a slot of 1 ms each
    struct Case {
        const char* machine;
        double stepMs;
        size_t set;  // how many alphas are set
    };
    const Case cases[] = {
        {"instant", 0, 53},
        {"on time", 1, 53},
        {"three slots a step", 3, 19},  // every third
        {"half the budget a step", 26, 4},
        {"over the budget a step", 500, 2},  // no time for more than the ends
    };
    for (const Case& c : cases) {
        for (const std::vector<int>* alphas : {&in, &out}) {
            double now = 0;
            std::vector<int> seen;
            const std::vector<int> set = PaceFade(*alphas, budget, [&] { return now; }, [&](int alpha) {
                seen.push_back(alpha);
                now += c.stepMs;
            });
            EXPECT_EQ(set, seen) << c.machine;
            EXPECT_EQ(set.size(), c.set) << c.machine;
            EXPECT_EQ(set.front(), alphas->front()) << c.machine;
            EXPECT_EQ(set.back(), alphas->back()) << c.machine << ": a fade ends where it must";
            // Only skips: what is set keeps the order of the fade.
            EXPECT_TRUE(std::includes(alphas->begin(), alphas->end(), set.begin(), set.end(),
                                      [&](int a, int b) { return alphas == &in ? a < b : a > b; }))
                << c.machine;
            // Done within the budget and the one step that may run over it.
            EXPECT_LE(now, budget + 2 * c.stepMs) << c.machine;
        }
    }
    EXPECT_TRUE(PaceFade({}, budget, [] { return 0.0; }, [](int) { FAIL(); }).empty());
}
