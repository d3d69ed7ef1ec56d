#include "window/default_size.h"

#include <gtest/gtest.h>

using namespace tavrik::window;

TEST(DefaultSize, ScalesTheDefaultWindowToTheMonitor) {
    struct Case {
        unsigned dpi;
        std::int32_t width, height;  // of the 418 x 143 designed at 100 %
    };
    const Case cases[] = {
        {96, 418, 143}, {120, 523, 179}, {144, 627, 215}, {168, 732, 250}, {192, 836, 286},
        {288, 1254, 429},
        {0, 418, 143},  // DPI not known
        {72, 314, 107},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleDefaultSize(418, c.dpi), c.width) << c.dpi;
        EXPECT_EQ(ScaleDefaultSize(143, c.dpi), c.height) << c.dpi;
    }
}
