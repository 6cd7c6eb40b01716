// SPDX-License-Identifier: MIT
#include "SwayControl.h"
#include "platform/linux/wayland/WaylandDisplayServices.h"
#include "platform/linux/wayland/WlrScreencopyCapture.h"
#include "sensing/OutputNameId.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>

using namespace lumvex;
using namespace std::chrono_literals;

// Ends the compositor that run-with-sway.sh started: run alone, as its own test.
TEST(CompositorGoneTest, CapturesAndDisplaysGiveNothingQuicklyAndQuietly)
{
    const char *swayPid = std::getenv("LUMVEX_SWAY_PID");
    ASSERT_NE(swayPid, nullptr);
    WaylandDisplayServices displays;
    WlrScreencopyCapture capture("HEADLESS-1");
    ASSERT_TRUE(test::eventually([&] { return capture.captureAndReduce().has_value(); }));
    ASSERT_TRUE(test::eventually([&] { return displays.mainDisplay() == outputNameId("HEADLESS-1"); }));

    ASSERT_EQ(kill(std::atoi(swayPid), SIGKILL), 0);
    std::this_thread::sleep_for(200ms);
    // A copy that the compositor finished before it went may still be read once.
    capture.captureAndReduce();

    // Every capture ends within the wait limit, gives nothing and blames nothing on the session:
    // the compositor was there and may come back. Forty of them cover the first reconnection tries.
    for (int i = 0; i < 40; ++i) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(capture.captureAndReduce());
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2 * WlrScreencopyCapture::kWaitLimit);
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(capture.unavailableReason(), std::nullopt);

    EXPECT_FALSE(displays.isConnected());
    EXPECT_EQ(displays.mainDisplay(), 0u);
    EXPECT_TRUE(displays.screens().empty());
    // A display seen before is still known as what it was.
    EXPECT_FALSE(displays.isBuiltIn(outputNameId("HEADLESS-1")));
}
