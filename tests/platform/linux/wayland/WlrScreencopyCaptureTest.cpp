// SPDX-License-Identifier: MIT
#include "platform/linux/wayland/WlrScreencopyCapture.h"
#include "SwayControl.h"
#include "engine/SystemClock.h"
#include "platform/linux/capture/OwnerQueue.h"
#include "sensing/ContentSampler.h"
#include "sensing/Luminance.h"

#include "support/TempDir.h"
#include <gtest/gtest.h>

#include <cstdlib>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

// Captures until one gives figures that satisfy `accept`; those figures, or nothing at the deadline.
std::optional<ScreenReduction> captureUntil(ScreenCapture &capture, const std::function<bool(double)> &accept,
                                            std::chrono::milliseconds deadline = 5s)
{
    std::optional<ScreenReduction> found;
    test::retryUntil(
        [&] {
            std::optional<ScreenReduction> reduction = capture.captureAndReduce();
            if (reduction && accept(reduction->meanLuminance)) {
                found = std::move(reduction);
            }
            return found.has_value();
        },
        deadline);
    return found;
}

// Accepts figures of that luminance. Sway shows its own grey for a moment while the background
// program restarts with a new colour, so captures wait for the colour they expect.
std::function<bool(double)> near(double expected)
{
    return [expected](double L) { return std::abs(L - expected) < 1e-9; };
}

const double kRed = luminanceOf(0xff, 0x00, 0x00);
const double kTeal = luminanceOf(0x20, 0x80, 0xa0);

class WlrScreencopyCaptureTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(test::SwayControl::setBackground("#000000")); }
};

TEST_F(WlrScreencopyCaptureTest, ReducesTheOutputsColourAndFollowsItsChanges)
{
    WlrScreencopyCapture capture("HEADLESS-1");
    const auto black = captureUntil(capture, near(0.0));
    ASSERT_TRUE(black);
    EXPECT_EQ(black->grid, std::vector<double>(16, 0.0));
    EXPECT_EQ(black->signature, (ContentSignature{1.0, 0.0, 0.0}));
    EXPECT_EQ(capture.unavailableReason(), std::nullopt);

    // Colours tell the byte order apart: red and blue weigh differently.
    ASSERT_TRUE(test::SwayControl::setBackground("#ff0000"));
    const auto red = captureUntil(capture, near(kRed));
    ASSERT_TRUE(red);
    EXPECT_EQ(red->grid, std::vector<double>(16, red->meanLuminance));

    ASSERT_TRUE(test::SwayControl::setBackground("#2080a0"));
    const auto teal = captureUntil(capture, near(kTeal));
    ASSERT_TRUE(teal);
    EXPECT_EQ(teal->grid, std::vector<double>(16, teal->meanLuminance));
}

TEST_F(WlrScreencopyCaptureTest, StillScreenGivesTheSameFiguresWithoutCopyingAgain)
{
    ASSERT_TRUE(test::SwayControl::setBackground("#808080"));
    WlrScreencopyCapture capture("HEADLESS-1");
    const double grey = luminanceOf(0x80, 0x80, 0x80);
    ASSERT_TRUE(captureUntil(capture, near(grey)));
    // A first copy, then one more that the compositor answers at once for a new damage watch;
    // after that nothing is copied while nothing is drawn.
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(capture.captureAndReduce());
    const int settled = capture.framesRead();
    EXPECT_LE(settled, 3);
    for (int i = 0; i < 10; ++i) {
        const auto again = capture.captureAndReduce();
        ASSERT_TRUE(again);
        EXPECT_EQ(again->meanLuminance, grey);
        std::this_thread::sleep_for(30ms);
    }
    EXPECT_EQ(capture.framesRead(), settled);

    // A drawing ends the wait.
    ASSERT_TRUE(test::SwayControl::setBackground("#ffffff"));
    ASSERT_TRUE(captureUntil(capture, near(1.0)));
    EXPECT_GT(capture.framesRead(), settled);
}

TEST_F(WlrScreencopyCaptureTest, EveryTimeModeCopiesEachCapture)
{
    WlrScreencopyCapture capture("HEADLESS-1", WlrScreencopyCapture::Mode::EveryTime);
    ASSERT_TRUE(captureUntil(capture, near(0.0)));
    const int before = capture.framesRead();
    for (int i = 0; i < 5; ++i) {
        const auto reduction = capture.captureAndReduce();
        ASSERT_TRUE(reduction);
        EXPECT_EQ(reduction->meanLuminance, 0.0);
    }
    EXPECT_EQ(capture.framesRead(), before + 5);
}

TEST_F(WlrScreencopyCaptureTest, AfterAPauseCopiesAgain)
{
    WlrScreencopyCapture capture("HEADLESS-1");
    ASSERT_TRUE(captureUntil(capture, near(0.0)));
    const int before = capture.framesRead();
    capture.pause();
    ASSERT_TRUE(capture.captureAndReduce());
    EXPECT_EQ(capture.framesRead(), before + 1);
}

// Runs after the display services' case has added HEADLESS-2 or adds it itself; sway 1.7 cannot take
// a headless output away, so only the arrival of a missing output is seen here.
TEST_F(WlrScreencopyCaptureTest, AnOutputThatIsNotThereGivesNothingUntilItComes)
{
    WlrScreencopyCapture capture("HEADLESS-9");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(capture.captureAndReduce());
    EXPECT_LT(std::chrono::steady_clock::now() - start, WlrScreencopyCapture::kWaitLimit);
    EXPECT_EQ(capture.unavailableReason(), std::nullopt);

    WlrScreencopyCapture later("HEADLESS-3");
    EXPECT_FALSE(later.captureAndReduce());
    while (!test::SwayControl::hasOutput("HEADLESS-3")) {
        ASSERT_TRUE(test::SwayControl::createOutput());
    }
    ASSERT_TRUE(test::SwayControl::setBackground("#ff0000"));
    EXPECT_TRUE(captureUntil(later, near(kRed)));
}

TEST_F(WlrScreencopyCaptureTest, WithoutCompositorSaysWhy)
{
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

// The real sampler with its worker thread on the real capture.
TEST_F(WlrScreencopyCaptureTest, TheSamplerFollowsTheOutput)
{
    test::OwnerQueue owner;
    SystemClock clock;
    auto capture = std::make_unique<WlrScreencopyCapture>("HEADLESS-1");
    const WlrScreencopyCapture &watched = *capture;
    ContentSampler sampler(std::move(capture), owner.poster(), clock);
    std::vector<double> samples;
    sampler.onSample = [&](double L) { samples.push_back(L); };
    sampler.setCaptureGrid(true);

    sampler.start();
    ASSERT_TRUE(owner.runUntil([&] { return !samples.empty() && sampler.rawLuminance() == 0.0; }));
    EXPECT_EQ(sampler.gridLuminances(), std::vector<double>(16, 0.0));

    ASSERT_TRUE(test::SwayControl::setBackground("#2080a0"));
    ASSERT_TRUE(owner.runUntil([&] { return std::abs(sampler.rawLuminance() - kTeal) < 1e-9; }));
    ASSERT_TRUE(owner.runUntil([&] { return std::abs(sampler.fastLuminance() - kTeal) < 1e-3; }));
    EXPECT_TRUE(sampler.lastSampleAt());

    // Samples keep coming every tick while the screen is still, from the figures already had.
    const int frames = watched.framesRead();
    const std::size_t count = samples.size();
    ASSERT_TRUE(owner.runUntil([&] { return samples.size() >= count + 5; }));
    EXPECT_LE(watched.framesRead(), frames + 1);

    sampler.stop();
    owner.runUntil([] { return false; }, 200ms);
    const std::size_t stopped = samples.size();
    owner.runUntil([] { return false; }, 300ms);
    EXPECT_EQ(samples.size(), stopped);
}

} // namespace
