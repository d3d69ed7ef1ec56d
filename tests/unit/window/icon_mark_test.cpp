#include "window/icon_mark.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavrik::window;

namespace {

constexpr std::uint32_t kBlue = 0xFF2050C0u, kBlueNoAlpha = 0x002050C0u;

std::uint32_t At(const std::vector<std::uint32_t>& pixels, int size, int x, int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x)];
}

}  // namespace

TEST(IconMark, DotSitsInTheLowerRightCornerAtEverySize) {
    for (const int size : {16, 20, 24, 32, 48}) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), kBlue);
        MarkIconPixels(pixels, size, {});
        const int diameter = size * 7 / 16;
        const int middle = size - (diameter + 1) / 2;
        EXPECT_EQ(At(pixels, size, middle, middle), kMarkFill) << size;
        EXPECT_EQ(At(pixels, size, size - 1, middle), kMarkRing) << size << ": the ring parts it from the icon";
        EXPECT_EQ(At(pixels, size, size - 1, size - 1), kBlue) << size << ": the dot is round";
        EXPECT_EQ(At(pixels, size, 0, 0), kBlue) << size;
        EXPECT_EQ(At(pixels, size, size / 2 - 1, size / 2 - 1), kBlue) << size << ": three quarters stay as they were";
        int marked = 0;
        for (std::uint32_t p : pixels) marked += p == kMarkFill ? 1 : 0;
        EXPECT_GE(marked, 9) << size << ": seen at a glance";
    }
}

TEST(IconMark, IconWithoutAlphaKeepsWhatItsMaskShows) {
    // A 16-colour icon: no alpha anywhere, the mask says which pixels show.
    constexpr int kSize = 16;
    constexpr std::size_t kCount = std::size_t{kSize} * kSize;
    std::vector<std::uint32_t> pixels(kCount, kBlueNoAlpha);
    std::vector<std::uint8_t> shows(kCount, 1);
    shows[0] = 0;  // a transparent corner
    MarkIconPixels(pixels, kSize, shows);
    EXPECT_EQ(At(pixels, kSize, 0, 0) >> 24, 0u) << "what the mask hid stays transparent";
    EXPECT_EQ(At(pixels, kSize, 1, 0), kBlue) << "what it showed is opaque now that alpha rules";
    EXPECT_EQ(At(pixels, kSize, 12, 12), kMarkFill);
}

TEST(IconMark, TooFewPixelsAreLeftAlone) {
    std::vector<std::uint32_t> pixels(10, kBlue);
    MarkIconPixels(pixels, 16, {});
    EXPECT_EQ(pixels, std::vector<std::uint32_t>(10, kBlue));
}
