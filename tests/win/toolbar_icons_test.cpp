// The toolbar images as a toolbar sees them: each one drawn through the image list onto white and
// onto black, which gives back both its alpha and its colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "app/dib.h"
#include "ui/toolbar_icons.h"

using namespace tavrik;

namespace {

constexpr int kUnused[] = {13, 15};
constexpr int kSizes[] = {16, 24, 32, 48};

bool IsUnused(int index) { return std::find(std::begin(kUnused), std::end(kUnused), index) != std::end(kUnused); }

struct Pixel {
    int alpha;
    int r, g, b;  // premultiplied: what the image adds over black
};

class Drawn {
public:
    Drawn(HIMAGELIST list, int index, int pixels) : size_(pixels) {
        const auto white = Draw(list, index, RGB(255, 255, 255));
        const auto black = Draw(list, index, RGB(0, 0, 0));
        for (size_t i = 0; i < white.size(); ++i) {
            auto channel = [&](int shift) { return std::pair{int(white[i] >> shift & 0xFF), int(black[i] >> shift & 0xFF)}; };
            const auto [wr, br] = channel(16);
            const auto [wg, bg] = channel(8);
            const auto [wb, bb] = channel(0);
            // Over white a pixel lets through 255 × (1 - alpha) more than over black.
            const int alpha = 255 - std::min({wr - br, wg - bg, wb - bb});
            pixels_.push_back({alpha, br, bg, bb});
        }
    }

    int Size() const { return size_; }
    const Pixel& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * size_ + x]; }
    bool operator==(const Drawn& other) const {
        return std::equal(pixels_.begin(), pixels_.end(), other.pixels_.begin(), other.pixels_.end(),
                          [](const Pixel& a, const Pixel& b) {
                              return a.alpha == b.alpha && a.r == b.r && a.g == b.g && a.b == b.b;
                          });
    }
    int Count(int minAlpha) const {
        return static_cast<int>(std::count_if(pixels_.begin(), pixels_.end(), [&](const Pixel& p) { return p.alpha >= minAlpha; }));
    }
    int CountTransparent() const {
        return static_cast<int>(std::count_if(pixels_.begin(), pixels_.end(), [](const Pixel& p) {
            return p.alpha == 0 && p.r == 0 && p.g == 0 && p.b == 0;
        }));
    }

private:
    std::vector<uint32_t> Draw(HIMAGELIST list, int index, COLORREF ground) const {
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = app::CreateDib32(dc, size_, size_, &bits);
        std::vector<uint32_t> out;
        if (bitmap) {
            HGDIOBJ old = SelectObject(dc, bitmap);
            HBRUSH brush = CreateSolidBrush(ground);
            const RECT all{0, 0, size_, size_};
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            EXPECT_TRUE(ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL)) << "image " << index;
            GdiFlush();
            const auto* p = static_cast<const uint32_t*>(bits);
            out.assign(p, p + static_cast<size_t>(size_) * size_);
            SelectObject(dc, old);
            DeleteObject(bitmap);
        }
        DeleteDC(dc);
        return out;
    }

    std::vector<Pixel> pixels_;
    int size_;
};

struct ImageList {
    explicit ImageList(int pixels) : handle(ui::CreateToolbarImages(pixels)) {}
    ~ImageList() {
        if (handle) ImageList_Destroy(handle);
    }
    HIMAGELIST handle;
};

}  // namespace

TEST(ToolbarIcons, PixelsFollowTheScreenScale) {
    EXPECT_EQ(ui::ToolbarIconPixels(96), 16);   // 100 %
    EXPECT_EQ(ui::ToolbarIconPixels(120), 24);  // 125 %: halfway goes up
    EXPECT_EQ(ui::ToolbarIconPixels(144), 24);  // 150 %
    EXPECT_EQ(ui::ToolbarIconPixels(192), 32);  // 200 %
    EXPECT_EQ(ui::ToolbarIconPixels(288), 48);  // 300 %
    EXPECT_EQ(ui::ToolbarIconPixels(72), 16);   // never below the designed size
    EXPECT_EQ(ui::ToolbarIconPixels(0), 16);    // no DPI known
    EXPECT_EQ(ui::ToolbarIconPixels(960), 64);
    EXPECT_EQ(ui::ToolbarIconPixels(0xFFFFFFFFu), 64);
}

TEST(ToolbarIcons, EverySizeHoldsAllImages) {
    for (int pixels : {16, 20, 24, 32, 40, 48, 64}) {
        SCOPED_TRACE(pixels);
        const ImageList list(pixels);
        ASSERT_NE(list.handle, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list.handle), ui::kToolbarImageCount);
        int cx = 0, cy = 0;
        ASSERT_TRUE(ImageList_GetIconSize(list.handle, &cx, &cy));
        EXPECT_EQ(cx, pixels);
        EXPECT_EQ(cy, pixels);
    }
}

TEST(ToolbarIcons, UsedImagesShowAndUnusedOnesAreBlank) {
    for (int pixels : kSizes) {
        const ImageList list(pixels);
        ASSERT_NE(list.handle, nullptr);
        for (int i = 0; i < ui::kToolbarImageCount; ++i) {
            SCOPED_TRACE(testing::Message() << pixels << " px, image " << i);
            const Drawn image(list.handle, i, pixels);
            if (IsUnused(i)) {
                EXPECT_EQ(image.CountTransparent(), pixels * pixels) << "a blank image left a mark";
            } else {
                // Even the thinnest design (lines, a letter) covers a tenth of its square.
                EXPECT_GE(image.Count(128), pixels * pixels / 10);
                EXPECT_GT(image.CountTransparent(), 0) << "the image fills its whole square";
            }
        }
    }
}

TEST(ToolbarIcons, NoTwoActionsShareAnImage) {
    // Find and Options may show the same picture in menus as on their buttons.
    const std::set<std::pair<int, int>> samePicture{{ui::kImageFind, ui::kImageFindMenu},
                                                    {ui::kImageOptions, ui::kImageOptionsMenu}};
    for (int pixels : kSizes) {
        const ImageList list(pixels);
        ASSERT_NE(list.handle, nullptr);
        std::vector<Drawn> images;
        images.reserve(ui::kToolbarImageCount);
        for (int i = 0; i < ui::kToolbarImageCount; ++i) images.emplace_back(list.handle, i, pixels);
        for (int a = 0; a < ui::kToolbarImageCount; ++a) {
            for (int b = a + 1; b < ui::kToolbarImageCount; ++b) {
                if (IsUnused(a) || IsUnused(b) || samePicture.count({a, b})) continue;
                EXPECT_FALSE(images[static_cast<size_t>(a)] == images[static_cast<size_t>(b)])
                    << pixels << " px: images " << a << " and " << b << " are the same";
            }
        }
    }
}

TEST(ToolbarIcons, SmoothedEdgesKeepTheirColour) {
    // The image list premultiplies what it is given. Colours premultiplied twice would turn every
    // smoothed edge darker than the outline it belongs to: a dark fringe on a light toolbar.
    const int pixels = 32;
    const ImageList list(pixels);
    ASSERT_NE(list.handle, nullptr);
    const Drawn help(list.handle, ui::kImageHelp, pixels);
    const int row = pixels / 2;  // through the middle of the round badge
    int x = 0;
    while (x < pixels && help.At(x, row).alpha < 255) ++x;
    ASSERT_LT(x, pixels) << "no opaque outline on the middle row";
    const Pixel outline = help.At(x, row);
    int checked = 0;
    for (int y = 0; y < pixels; ++y) {
        for (int xx = 0; xx < pixels; ++xx) {
            const Pixel& p = help.At(xx, y);
            if (p.alpha < 64 || p.alpha > 224) continue;
            // Only the outer rim: pixels that touch the transparent outside.
            const bool rim = (xx > 0 && help.At(xx - 1, y).alpha == 0) || (xx + 1 < pixels && help.At(xx + 1, y).alpha == 0) ||
                             (y > 0 && help.At(xx, y - 1).alpha == 0) || (y + 1 < pixels && help.At(xx, y + 1).alpha == 0);
            if (!rim) continue;
            ++checked;
            EXPECT_NEAR(p.r * 255.0 / p.alpha, outline.r, 16) << "at " << xx << "," << y << " alpha " << p.alpha;
            EXPECT_NEAR(p.g * 255.0 / p.alpha, outline.g, 16) << "at " << xx << "," << y << " alpha " << p.alpha;
            EXPECT_NEAR(p.b * 255.0 / p.alpha, outline.b, 16) << "at " << xx << "," << y << " alpha " << p.alpha;
        }
    }
    EXPECT_GT(checked, 8) << "a round badge has smoothed pixels all round";
}

TEST(ToolbarIcons, AlignmentLinesAreSharpAndEvenAtEverySize) {
    // Lines scaled by 1.5 with both edges rounded come out 1 and 2 pixels thick in turn, and
    // lines off the pixel grid come out as two grey rows instead of one solid one.
    for (int pixels : {16, 24, 32, 40, 48}) {
        SCOPED_TRACE(pixels);
        const ImageList list(pixels);
        ASSERT_NE(list.handle, nullptr);
        const Drawn image(list.handle, ui::kImageAlignLeft, pixels);
        std::vector<int> runs;
        bool inLine = false;
        for (int y = 0; y < pixels; ++y) {
            int solid = 0;
            for (int x = 0; x < pixels; ++x) solid += image.At(x, y).alpha == 255;
            const bool lineRow = solid >= pixels / 3;
            if (lineRow && !inLine) runs.push_back(0);
            if (lineRow) ++runs.back();
            inLine = lineRow;
        }
        ASSERT_EQ(runs.size(), 5u) << "five solid lines";
        EXPECT_TRUE(std::all_of(runs.begin(), runs.end(), [&](int r) { return r == runs.front(); }))
            << "lines of different thickness";
    }
}
