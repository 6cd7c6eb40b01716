// SPDX-License-Identifier: MIT
#include "output/VolumeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumvex {
namespace {

// The muted line and the mute item are seen with the real PulseAudio; these are the rounding edges.
TEST(VolumeTextTest, LineShowsWholePercentRoundedHalfAwayFromZero)
{
    EXPECT_EQ(volumeMenuLine(0.0, false), "Volume: 0%");
    EXPECT_EQ(volumeMenuLine(1.0, false), "Volume: 100%");
    // Exactly half a percent goes up, not to the even neighbour.
    EXPECT_EQ(volumeMenuLine(0.125, false), "Volume: 13%");
    EXPECT_EQ(volumeMenuLine(0.625, false), "Volume: 63%");
    // Readings come back through single precision: 0.425f is a hair above 0.425.
    EXPECT_EQ(volumeMenuLine(static_cast<double>(0.425f), false), "Volume: 43%");
    EXPECT_EQ(volumeMenuLine(0.004, false), "Volume: 0%");
}

TEST(VolumeTextTest, ImpossibleLevelsShowAsTheNearestEnd)
{
    EXPECT_EQ(volumePercent(1.5), 100);
    EXPECT_EQ(volumePercent(-0.2), 0);
    EXPECT_EQ(volumePercent(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(volumePercent(std::numeric_limits<double>::infinity()), 100);
}

} // namespace
} // namespace lumvex
