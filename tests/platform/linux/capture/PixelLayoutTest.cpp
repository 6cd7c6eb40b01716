// SPDX-License-Identifier: MIT
#include "platform/linux/x11/capture/PixelLayout.h"
#include "sensing/ScreenReduction.h"

#include <gtest/gtest.h>

#include <array>

using namespace lumvex;

namespace {

PixelFormat trueColor24(std::uint32_t red, std::uint32_t blue, bool msbFirst)
{
    return {24, 32, true, red, 0x00ff00, blue, msbFirst};
}

// Either channel order in either byte order; nothing that is not eight bits a channel in 32-bit pixels.
TEST(PixelLayoutTest, ReadsThirtyTwoBitTrueColourOnlyAndBigEndianPixelsRight)
{
    const std::pair<PixelFormat, std::optional<PixelLayout>> cases[] = {
        {trueColor24(0xff0000, 0xff, false), PixelLayout{PixelOrder::BGRA, 0}},
        {trueColor24(0xff, 0xff0000, false), PixelLayout{PixelOrder::RGBA, 0}},
        {trueColor24(0xff0000, 0xff, true), PixelLayout{PixelOrder::RGBA, 1}},
        {trueColor24(0xff, 0xff0000, true), PixelLayout{PixelOrder::BGRA, 1}},
        {{32, 32, true, 0xff0000, 0x00ff00, 0xff, false}, PixelLayout{PixelOrder::BGRA, 0}}, // with alpha
        {{16, 16, true, 0xf800, 0x07e0, 0x001f, false}, std::nullopt},
        {{30, 32, true, 0x3ff00000, 0x000ffc00, 0x000003ff, false}, std::nullopt},
        {{8, 8, false, 0, 0, 0, false}, std::nullopt},
        {{24, 32, false, 0xff0000, 0x00ff00, 0xff, false}, std::nullopt}, // DirectColor
        {{24, 24, true, 0xff0000, 0x00ff00, 0xff, false}, std::nullopt},  // packed
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(pixelLayout(cases[i].first), cases[i].second) << "case " << i;
    }

    // The bytes a big-endian server sends for pure red, 0x00ff0000, read through the layout.
    const auto layout = pixelLayout(trueColor24(0xff0000, 0xff, true));
    ASSERT_TRUE(layout);
    std::array<std::uint8_t, 2 * 4 + 1> bytes{0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00};
    const ImageView image{bytes.data() + layout->offset, 2, 1, 8, layout->order};
    EXPECT_DOUBLE_EQ(reduceScreen(image).meanLuminance, 0.2126);
}

} // namespace
