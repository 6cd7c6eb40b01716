// SPDX-License-Identifier: MIT
#include "sensing/AreaThumbnail.h"

#include "TestImage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumvex;
using lumvex::test::Rgb;
using lumvex::test::TestImage;

namespace {

// Pixels that look random and can be had again for the reference.
Rgb noise(int x, int y, unsigned seed)
{
    std::uint32_t h = (static_cast<std::uint32_t>(x) * 73856093u) ^ (static_cast<std::uint32_t>(y) * 19349663u) ^ seed;
    h = (h ^ (h >> 15)) * 2654435761u;
    return {static_cast<std::uint8_t>(h >> 8), static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 24)};
}

// Brute force: blow the image up `side` times on each axis; every thumbnail pixel is then exactly a
// width x height block of subpixels.
std::vector<Rgb> referenceThumbnail(int width, int height, unsigned seed, int side)
{
    std::vector<Rgb> thumbnail;
    const double area = static_cast<double>(width) * height;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            long sum[3] = {0, 0, 0};
            for (int y = row * height; y < (row + 1) * height; ++y) {
                for (int x = column * width; x < (column + 1) * width; ++x) {
                    const Rgb pixel = noise(x / side, y / side, seed);
                    sum[0] += pixel.r;
                    sum[1] += pixel.g;
                    sum[2] += pixel.b;
                }
            }
            const auto byte = [area](long s) { return static_cast<std::uint8_t>(std::lround(s / area)); };
            thumbnail.push_back({byte(sum[0]), byte(sum[1]), byte(sum[2])});
        }
    }
    return thumbnail;
}

} // namespace

// Fractional bin edges on both axes, upscaling, widths off the 4-pixel grouping, bands taller than
// the 16-bit column sums can hold at once, both byte orders, padded rows.
TEST(AreaThumbnail, EveryPixelCountsWithItsExactArea)
{
    struct Case
    {
        int width, height, side;
        PixelOrder order;
        int padding;
    };
    for (const Case c : {Case{37, 23, 8, PixelOrder::BGRA, 0}, Case{5, 3, 8, PixelOrder::BGRA, 0},
                         Case{64, 1, 16, PixelOrder::RGBA, 0}, Case{3, 50, 7, PixelOrder::BGRA, 12},
                         Case{129, 67, 16, PixelOrder::BGRA, 0}, Case{13, 1200, 2, PixelOrder::RGBA, 8}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " side " << c.side);
        const auto seed = static_cast<unsigned>(c.width * 31 + c.side);
        TestImage image(c.width, c.height, c.order, c.padding);
        image.paint([&](int x, int y) { return noise(x, y, seed); });
        const auto thumbnail = AreaThumbnail::squeeze(image.view(), c.side);
        ASSERT_TRUE(thumbnail);
        EXPECT_TRUE(thumbnail->pixels() == referenceThumbnail(c.width, c.height, seed, c.side));
    }
}

TEST(AreaThumbnail, ReducingAndRefreshingTheAreaDrawnOnEqualSqueezingDirectly)
{
    TestImage image(203, 117);
    image.randomise(7);
    const auto fine = AreaThumbnail::squeeze(image.view(), 64);
    ASSERT_TRUE(fine);
    for (const int side : {32, 4, 1}) {
        SCOPED_TRACE(side);
        const auto reduced = fine->reducedTo(side);
        const auto direct = AreaThumbnail::squeeze(image.view(), side);
        ASSERT_TRUE(reduced && direct);
        EXPECT_TRUE(reduced->pixels() == direct->pixels());
    }
    EXPECT_FALSE(fine->reducedTo(3) || fine->reducedTo(0) || fine->reducedTo(128));

    const auto before = [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 37 + y * 11), static_cast<std::uint8_t>((x * 13) ^ (y * 7)),
                   static_cast<std::uint8_t>(x + y * 29)};
    };
    struct Case
    {
        int width, height;
        AreaThumbnail::Area drawn;
    };
    // Rows and columns cut by thumbnail pixel edges and runs wholly inside them, at both ends and in the
    // middle; whole rows, and rectangles down to one pixel.
    for (const Case c : {Case{203, 117, {0, 0, 203, 1}},
                         {203, 117, {0, 116, 203, 5}},
                         {150, 1000, {0, 333, 150, 200}},
                         {203, 117, {0, 0, 1, 1}},
                         {203, 117, {61, 40, 70, 30}},
                         {1000, 150, {333, 7, 5, 140}}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " drawn " << c.drawn.width << "x"
                                        << c.drawn.height << "+" << c.drawn.left << "+" << c.drawn.top);
        TestImage image(c.width, c.height);
        image.paint(before);
        auto held = AreaThumbnail::squeeze(image.view(), 64);
        ASSERT_TRUE(held);
        const auto inside = [&](int x, int y) {
            return x >= c.drawn.left && x < c.drawn.left + c.drawn.width && y >= c.drawn.top &&
                   y < c.drawn.top + c.drawn.height;
        };
        image.paint([&](int x, int y) {
            return inside(x, y) ? Rgb{static_cast<std::uint8_t>(255 - x), 0, 77} : before(x, y);
        });
        ASSERT_TRUE(held->refresh(image.view(), c.drawn));
        EXPECT_TRUE(held->pixels() == AreaThumbnail::squeeze(image.view(), 64)->pixels());
        EXPECT_FALSE(held->refresh(TestImage(c.width, c.height + 1).view(), {0, 0, 1, 1}));
    }
}

TEST(AreaThumbnail, RefusesWhatItCannotReadOrHold)
{
    TestImage image(10, 10);
    const ImageView good = image.view();
    EXPECT_TRUE(AreaThumbnail::squeeze(good, AreaThumbnail::kMaxSide));
    EXPECT_FALSE(AreaThumbnail::squeeze(good, 0) || AreaThumbnail::squeeze(good, AreaThumbnail::kMaxSide + 1));

    const auto broken = [&good](auto change) {
        ImageView view = good;
        change(view);
        return view;
    };
    for (const ImageView &bad : {
             broken([](ImageView &v) { v.data = nullptr; }),
             broken([](ImageView &v) { v.width = 0; }),
             broken([](ImageView &v) { v.stride = v.width * 4 - 1; }),
             broken([](ImageView &v) {
                 v.width = ImageView::kMaxSide + 1;
                 v.stride = v.width * 4;
             }),
         }) {
        EXPECT_FALSE(bad.isReadable());
        EXPECT_FALSE(AreaThumbnail::squeeze(bad, 4));
    }
}
