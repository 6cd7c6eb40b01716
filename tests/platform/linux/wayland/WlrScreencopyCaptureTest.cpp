// SPDX-License-Identifier: MIT
#include "platform/linux/wayland/WlrScreencopyCapture.h"
#include "SwayControl.h"
#include "sensing/Luminance.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

// Captures until the figures show that luminance; those figures, or nothing at the deadline. Sway shows its
// own grey for a moment while the background program restarts with a new colour.
std::optional<ScreenReduction> captureUntil(ScreenCapture &capture, double luminance)
{
    std::optional<ScreenReduction> found;
    const auto shows = [&] { return found && std::abs(found->meanLuminance - luminance) < 1e-9; };
    test::eventually([&] {
        found = capture.captureAndReduce();
        return shows();
    });
    return shows() ? found : std::nullopt;
}

const double kRed = luminanceOf(0xff, 0x00, 0x00);

class WlrScreencopyCaptureTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::SwayControl::setBackground("#000000")); }
};

TEST_F(WlrScreencopyCaptureTest, ReducesTheOutputsColourCopiesOnlyWhenItChangesAndSaysWhyWithoutCompositor)
{
    WlrScreencopyCapture capture("HEADLESS-1");
    const auto black = captureUntil(capture, 0.0);
    ASSERT_TRUE(black);
    EXPECT_EQ(black->grid, std::vector<double>(16, 0.0));
    EXPECT_EQ(black->signature, (ContentSignature{1.0, 0.0, 0.0}));
    EXPECT_EQ(capture.unavailableReason(), std::nullopt);

    // Red tells the byte order apart: red and blue weigh differently.
    ASSERT_TRUE(test::SwayControl::setBackground("#ff0000"));
    const auto red = captureUntil(capture, kRed);
    ASSERT_TRUE(red);
    EXPECT_EQ(red->grid, std::vector<double>(16, red->meanLuminance));

    // One more copy that the compositor answers at once for a new damage watch; after that nothing is
    // copied while nothing is drawn.
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(capture.captureAndReduce());
    const int settled = capture.framesRead();
    for (int i = 0; i < 10; ++i) {
        const auto again = capture.captureAndReduce();
        ASSERT_TRUE(again);
        EXPECT_EQ(again->meanLuminance, kRed);
        std::this_thread::sleep_for(30ms);
    }
    EXPECT_EQ(capture.framesRead(), settled);

    // A drawing ends the wait.
    ASSERT_TRUE(test::SwayControl::setBackground("#ffffff"));
    ASSERT_TRUE(captureUntil(capture, 1.0));
    EXPECT_GT(capture.framesRead(), settled);
    // So does a pause.
    const int copied = capture.framesRead();
    capture.pause();
    ASSERT_TRUE(capture.captureAndReduce());
    EXPECT_EQ(capture.framesRead(), copied + 1);

    // Without a compositor it says why.
    std::optional<WlrScreencopyCapture> unreachable;
    {
        const test::ScopedEnv unset("WAYLAND_DISPLAY", std::nullopt);
        WlrScreencopyCapture unnamed("HEADLESS-1");
        EXPECT_FALSE(unnamed.captureAndReduce());
        EXPECT_EQ(unnamed.unavailableReason(),
                  "Screen capture needs a Wayland compositor, and WAYLAND_DISPLAY is not set.");
        const test::ScopedEnv none("WAYLAND_DISPLAY", "wayland-none");
        unreachable.emplace("HEADLESS-1");
        EXPECT_FALSE(unreachable->captureAndReduce());
    }
    EXPECT_EQ(unreachable->unavailableReason(),
              "Screen capture cannot reach the Wayland compositor at WAYLAND_DISPLAY=wayland-none.");
    // The next try waits for the back-off, then finds the compositor and forgets the reason.
    std::this_thread::sleep_for(1100ms);
    ASSERT_TRUE(unreachable->captureAndReduce());
    EXPECT_EQ(unreachable->unavailableReason(), std::nullopt);
}

} // namespace
