// SPDX-License-Identifier: MIT
#include "output/RationedBrightness.h"
#include "simulated/ManualClock.h"
#include "simulated/SimulatedBrightness.h"

#include <gtest/gtest.h>

using namespace lumvex;

// The rules one by one: the docked test against the DDC helper cannot tell them apart, nor reach the day's end.
TEST(RationedBrightness, WritesStepsOfTwoPointsTwoSecondsApartAThousandADay)
{
    ManualClock clock{Timestamp::fromUnixSeconds(1741906800.0)}; // 2025-03-13 23:00 UTC
    SimulatedBrightness monitor(0.5);
    RationedBrightness rationed(monitor, clock);
    EXPECT_TRUE(rationed.set(0.51)); // taken; the monitor shows it to within the ration
    EXPECT_EQ(monitor.writeCount(), 0u);
    EXPECT_DOUBLE_EQ(rationed.get().value(), 0.51);
    EXPECT_TRUE(rationed.set(0.534));
    EXPECT_NEAR(monitor.level(), 0.53, 1e-6);
    EXPECT_TRUE(rationed.set(0.6)); // too soon: held for settle()
    rationed.settle();
    EXPECT_EQ(monitor.writeCount(), 1u);
    clock.advance(2.0);
    rationed.settle();
    EXPECT_NEAR(monitor.level(), 0.6, 1e-6);

    while (rationed.writesToday() < WriteRation::kDailyLimit) {
        clock.advance(2.0);
        ASSERT_TRUE(rationed.set(rationed.writesToday() % 2 ? 0.2 : 0.8));
    }
    EXPECT_FALSE(rationed.set(0.5));
    EXPECT_NE(rationed.writeProblem().value_or("").find("1000 writes"), std::string::npos);
    clock.advance(3600.0); // the next day
    EXPECT_TRUE(rationed.set(0.5));
    EXPECT_NEAR(monitor.level(), 0.5, 1e-6);
    EXPECT_EQ(rationed.writeProblem(), std::nullopt);
}
