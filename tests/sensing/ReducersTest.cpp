// SPDX-License-Identifier: MIT
#include "sensing/HistogramReducer.h"
#include "sensing/Luminance.h"
#include "sensing/LuminanceReducer.h"
#include "sensing/ScreenReduction.h"

#include "TestImage.h"

#include <gtest/gtest.h>

using namespace lumvex;
using lumvex::test::Rgb;
using lumvex::test::TestImage;

namespace {

const auto &reducer = LuminanceReducer::shared();

void expectSignature(const ContentSignature &actual, const ContentSignature &expected)
{
    EXPECT_DOUBLE_EQ(actual.pctDark, expected.pctDark);
    EXPECT_DOUBLE_EQ(actual.pctBright, expected.pctBright);
    EXPECT_NEAR(actual.mean, expected.mean, 1e-12); // a sum over the thumbnail's pixels
}

} // namespace

TEST(Reducers, UniformImagesInBothByteOrdersAndAGridFromTheTop)
{
    struct Case
    {
        const char *name;
        Rgb colour;
        double luminance;
        double dark;
        double bright;
    };
    for (const Case c : {Case{"black", {0, 0, 0}, 0.0, 1, 0}, Case{"white", {255, 255, 255}, 1.0, 0, 1},
                         Case{"green", {0, 255, 0}, 0.7152, 0, 0}, Case{"blue", {0, 0, 255}, 0.0722, 1, 0}}) {
        for (const PixelOrder order : {PixelOrder::BGRA, PixelOrder::RGBA}) {
            SCOPED_TRACE(testing::Message() << c.name << (order == PixelOrder::BGRA ? " BGRA" : " RGBA"));
            TestImage image(160, 100, order);
            image.fill(c.colour);

            EXPECT_EQ(reducer.averageLuminance(image.view(), 64), c.luminance);
            EXPECT_EQ(reducer.luminanceGrid(image.view(), 4), std::vector<double>(16, c.luminance));
            expectSignature(HistogramReducer::signature(image.view()), {c.dark, c.bright, c.luminance});
        }
    }

    // The grid starts at the top of the image.
    TestImage image(64, 48);
    image.paint([](int, int y) { return y < 12 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}; });
    std::vector<double> expected(16, 0.0);
    std::fill(expected.begin(), expected.begin() + 4, 1.0);
    EXPECT_EQ(reducer.luminanceGrid(image.view(), 4), expected);
}

// One-pixel lines on a wide screen, where 47.25 source columns fall into each signature column: an
// area average sees the true quarter-grey everywhere, where point sampling would see black or white.
TEST(Reducers, ThinLinesOnAWideScreenDoNotAlias)
{
    TestImage image(3024, 1964);
    image.paint([](int x, int) { return x % 4 == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}; });
    const double quarter = 0.2126 * (64 / 255.0) + 0.7152 * (64 / 255.0) + 0.0722 * (64 / 255.0); // 63.75 -> 64

    EXPECT_EQ(reducer.averageLuminance(image.view(), 64), quarter);
    EXPECT_EQ(reducer.luminanceGrid(image.view(), 4), std::vector<double>(16, quarter));
    const auto signature = HistogramReducer::signature(image.view(), 64);
    EXPECT_TRUE(signature.pctDark == 0.0 && signature.pctBright == 0.0);
    EXPECT_NEAR(signature.mean, 0.25, 0.01);
}

TEST(Reducers, UnusableArgumentsGiveNeutralAnswers)
{
    TestImage image(32, 32);
    image.fill({0, 0, 0});
    ImageView unreadable = image.view();
    unreadable.stride = 31 * 4;

    EXPECT_EQ(reducer.averageLuminance(unreadable, 64), 0.5);
    EXPECT_EQ(reducer.averageLuminance(image.view(), 0), 0.5);
    EXPECT_EQ(reducer.luminanceGrid(unreadable, 4), std::vector<double>(16, 0.5));
    EXPECT_TRUE(reducer.luminanceGrid(image.view(), 0).empty());
    EXPECT_TRUE(reducer.luminanceGrid(unreadable, AreaThumbnail::kMaxSide + 1).empty());
    EXPECT_EQ(HistogramReducer::signature(unreadable), HistogramReducer::kNeutralSignature);
    EXPECT_EQ(HistogramReducer::signature(image.view(), 1 << 16), HistogramReducer::kNeutralSignature);
}

// The precomputed byte fractions must give, bit for bit, the formula evaluated as it stands.
TEST(Reducers, LuminanceIsTheFormulaOnTheBytes)
{
    volatile double full = 255.0; // keeps the divisions at run time
    for (int v = 0; v < 256; ++v) {
        const int w = (v * 37 + 11) % 256;
        const int u = (v * 101 + 7) % 256;
        const double expected = (0.2126 * (v / full) + 0.7152 * (w / full)) + 0.0722 * (u / full);
        ASSERT_EQ(luminanceOf(static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(u)),
                  expected)
            << v << " " << w << " " << u;
    }
}

// The single pass must not change a single bit of what the separate reductions give, for the sizes
// it derives from one thumbnail and for those it cannot.
TEST(ScreenReduction, EqualsTheSeparateReductions)
{
    TestImage wide(1011, 419);
    wide.randomise(1);
    TestImage tiny(3, 2, PixelOrder::RGBA);
    tiny.randomise(2);
    ImageView unreadable = wide.view();
    unreadable.width = 0;

    struct Sizes
    {
        int mean, cells, signature;
    };
    for (const ImageView &view : {wide.view(), tiny.view(), unreadable}) {
        for (const Sizes s : {Sizes{64, 4, 64}, Sizes{64, 1, 64}, Sizes{10, 3, 64}, Sizes{64, 4, 16}, Sizes{0, 4, 64},
                              Sizes{64, 0, 64}, Sizes{64, 4, 0}, Sizes{64, 80, 64}}) {
            SCOPED_TRACE(testing::Message()
                         << view.width << "x" << view.height << " " << s.mean << "/" << s.cells << "/" << s.signature);
            const auto &reducer = LuminanceReducer::shared();
            const ScreenReduction reduction = reduceScreen(view, s.mean, s.cells, s.signature);
            EXPECT_EQ(reduction.meanLuminance, reducer.averageLuminance(view, s.mean));
            EXPECT_EQ(reduction.grid, reducer.luminanceGrid(view, s.cells));
            EXPECT_EQ(reduction.signature, HistogramReducer::signature(view, s.signature));
        }
    }
}
