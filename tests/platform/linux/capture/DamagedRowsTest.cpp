// SPDX-License-Identifier: MIT
#include "platform/linux/x11/capture/DamagedRows.h"

#include <gtest/gtest.h>

using namespace lumvex;

namespace {

// The right-hand monitor of two, 1920x1080 each.
constexpr MonitorGeometry kArea{1920, 0, 1920, 1080, false};

xcb_rectangle_t rect(int x, int y, int width, int height)
{
    return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
            static_cast<std::uint16_t>(height)};
}

// Clipping to the monitor is seen on the X server.
TEST(DamagedRowsTest, JoinsNearbySpansKeepsDistantOnesApartAndMakesOneOfTooMany)
{
    const std::vector<xcb_rectangle_t> drawn{rect(2000, 500, 10, 10), rect(2000, 100, 10, 10), rect(3000, 105, 10, 20),
                                             rect(2500, 140, 10, 10)};
    // 100-125 and 140-150 are closer than the join gap; 500-510 is not. Joined spans reach over the
    // columns of both.
    EXPECT_EQ(damagedRows(drawn, kArea), (std::vector<RowSpan>{{100, 50, 80, 1010}, {500, 10, 80, 10}}));

    std::vector<xcb_rectangle_t> scattered;
    for (int i = 0; i < static_cast<int>(kMaxSpans) + 1; ++i) {
        scattered.push_back(rect(2000, 10 + i * 100, 5, 5));
    }
    EXPECT_EQ(damagedRows(scattered, kArea), (std::vector<RowSpan>{{10, int(kMaxSpans) * 100 + 5, 80, 5}}));
}

} // namespace
