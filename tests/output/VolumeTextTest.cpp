// SPDX-License-Identifier: MIT
#include "output/VolumeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumvex {
namespace {

// The muted line is seen with the real PulseAudio. Halves go up, not to the even neighbour; 0.425f, as
// readings come back, is a hair above 0.425; impossible levels show as the nearest end.
TEST(VolumeTextTest, LineShowsWholePercentRoundedHalfAwayFromZero)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    for (const auto &[level, percent] : {std::pair{0.0, 0},
                                         {1.0, 100},
                                         {0.125, 13},
                                         {0.625, 63},
                                         {static_cast<double>(0.425f), 43},
                                         {0.004, 0},
                                         {1.5, 100},
                                         {-0.2, 0},
                                         {nan, 0},
                                         {infinity, 100}}) {
        EXPECT_EQ(volumePercent(level), percent) << level;
        EXPECT_EQ(volumeMenuLine(level, false), "Volume: " + std::to_string(percent) + "%") << level;
    }
}

} // namespace
} // namespace lumvex
