// Where the window is shown: off every monitor, and on the monitor under the mouse pointer.
#include "window/window_place.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavrik::window;

namespace {

// A 1920 x 1080 monitor at 100 % with its taskbar at the bottom, and a 2560 x 1440 one at 150 %
// to its right, set a little higher.
const Monitor kLeft{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96};
const Monitor kRight{{1920, -200, 4480, 1240}, {1920, -200, 4480, 1180}, 144};

}  // namespace

TEST(WindowPlace, PlaceOffEveryMonitorGoesOntoTheNearest) {
    const std::vector<Monitor> both{kLeft, kRight};
    struct Case {
        const char* what;
        Rect window;
        std::vector<Monitor> monitors;
        std::optional<Rect> expected;
    };
    const Case cases[] = {
        {"on the first monitor", {100, 100, 518, 243}, both, std::nullopt},
        {"a corner on the second one", {4400, 1200, 4818, 1343}, both, std::nullopt},
        {"partly off, still touching", {-300, 500, 118, 643}, both, std::nullopt},
        {"the second monitor unplugged", {3000, 400, 3418, 543}, {kLeft}, Rect{1502, 400, 1920, 543}},
        {"far left", {-5000, 300, -4582, 443}, both, Rect{0, 300, 418, 443}},
        {"below the second, nearest to it", {3000, 2000, 3418, 2143}, both, Rect{3000, 1037, 3418, 1180}},
        {"above both, larger than the work area", {100, -3000, 2100, -1800}, {kLeft}, Rect{0, 0, 1920, 1040}},
        {"no monitors known", {-5000, 0, -4000, 100}, {}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceOffEveryMonitor(c.window, c.monitors), c.expected) << c.what;
}

TEST(WindowPlace, OnTheMonitorUnderThePointerKeepsItsPlaceAndScalesItsSize) {
    struct Case {
        const char* what;
        Rect window;
        Monitor from, to;
        Rect expected;
    };
    const Case cases[] = {
        {"same monitor, inside", {100, 100, 518, 243}, kLeft, kLeft, {100, 100, 518, 243}},
        {"same monitor, pulled out of the taskbar", {100, 1000, 518, 1143}, kLeft, kLeft, {100, 897, 518, 1040}},
        {"to 150 %", {100, 100, 518, 243}, kLeft, kRight, {2070, -50, 2697, 165}},
        {"back to 100 %", {2070, -50, 2697, 165}, kRight, kLeft, {100, 100, 518, 243}},
        {"grown past the right edge", {1700, 100, 1900, 200}, kLeft, kRight, {4180, -50, 4480, 100}},
        {"larger than the work area", {0, 0, 1900, 1040}, kLeft, kRight, {1920, -200, 4480, 1180}},
        {"DPI not known", {100, 100, 518, 243}, kLeft, Monitor{kRight.area, kRight.work, 0}, {2020, -100, 2438, 43}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceOnMonitor(c.window, c.from, c.to), c.expected) << c.what;
}

TEST(WindowPlace, FitIntoKeepsWhatFitsAndShrinksWhatDoesNot) {
    const Rect work{0, 0, 1000, 700};
    struct Case {
        Rect window, expected;
    };
    const Case cases[] = {
        {{10, 10, 110, 60}, {10, 10, 110, 60}},
        {{950, 680, 1050, 730}, {900, 650, 1000, 700}},
        {{-50, -50, 50, 50}, {0, 0, 100, 100}},
        {{-50, 100, 1200, 200}, {0, 100, 1000, 200}},
    };
    for (const Case& c : cases) EXPECT_EQ(FitInto(c.window, work), c.expected);
}
