// SPDX-License-Identifier: MIT
#include "platform/linux/x11/capture/X11ShmCapture.h"
#include "ShowOnRoot.h"
#include "platform/linux/x11/XServerControl.h"
#include "sensing/BusyScreenPace.h"
#include "sensing/GlanceMemory.h"

#include "support/TempDir.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xffffff;

bool sameFigures(const std::optional<ScreenReduction> &a, const std::optional<ScreenReduction> &b)
{
    return a && b && a->meanLuminance == b->meanLuminance && a->grid == b->grid && a->signature == b->signature;
}

// Two 1920x1080 monitors side by side on the 3840x1080 root: the panel eDP-1 (primary) and DP-1.
class X11ShmCaptureTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto monitors = control.panelBesideExternal();
        panel = monitors.panel;
        external = monitors.external;
    }
    void TearDown() override { control.reset(); }

    // Captures until a frame is read: the server's notice of a drawing may take a moment to arrive.
    std::optional<ScreenReduction> captureNewFrame(X11ShmCapture &capture)
    {
        const int before = capture.framesRead();
        std::optional<ScreenReduction> result;
        const bool read = QTest::qWaitFor([&] {
            result = capture.captureAndReduce();
            return capture.framesRead() > before;
        });
        return read ? result : std::nullopt;
    }

    test::XServerControl control;
    test::XServerControl &painter = control;
    DisplayId panel = 0;
    DisplayId external = 0;
};

TEST_F(X11ShmCaptureTest, ReadsOnlyWhatWasDrawnOnItsMonitor)
{
    painter.fill(0, 0, 1920, 1080, kWhite);
    painter.fill(1920, 0, 1920, 1080, kBlack);
    X11ShmCapture capture(panel);
    const auto first = capture.captureAndReduce();
    EXPECT_TRUE(sameFigures(first, ScreenReduction{1.0, std::vector<double>(16, 1.0), {0.0, 1.0, 1.0}}));
    EXPECT_EQ(std::tuple(capture.unavailableReason(), capture.framesRead(), capture.rowsRead()),
              std::tuple(std::nullopt, 1, 1080L));
    EXPECT_TRUE(sameFigures(X11ShmCapture(external).captureAndReduce(),
                            ScreenReduction{0.0, std::vector<double>(16, 0.0), {1.0, 0.0, 0.0}}));

    // Nothing drawn: the same figures, nothing read.
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), first));
    EXPECT_EQ(capture.framesRead(), 1);

    // Drawing on the other monitor is none of its business.
    painter.fill(1920, 0, 1920, 1080, kWhite);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), first));
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), first));
    EXPECT_EQ(capture.framesRead(), 1);

    // Drawing on its own monitor, reaching onto the other one, is read on the next capture: its rows only.
    painter.fill(1720, 880, 400, 200, kBlack);
    const auto changed = captureNewFrame(capture);
    ASSERT_TRUE(changed && changed->meanLuminance < 1.0);
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), changed));
    EXPECT_EQ(std::pair(capture.framesRead(), capture.rowsRead()), std::pair(2, 1080L + 200));

    // Two drawings far apart: two spans, and the frame pieced together equals one read whole.
    painter.fill(0, 0, 300, 100, 0x336699);
    painter.fill(600, 700, 50, 50, 0x996633);
    const auto pieced = captureNewFrame(capture);
    EXPECT_EQ(capture.rowsRead(), 1080 + 200 + 150);
    X11ShmCapture whole(panel);
    EXPECT_TRUE(sameFigures(pieced, whole.captureAndReduce()));
}

TEST_F(X11ShmCaptureTest, AfterAPauseOrInEveryTimeModeReadsTheWholeFrame)
{
    painter.fill(0, 0, 1920, 1080, kWhite);
    X11ShmCapture capture(panel);
    ASSERT_TRUE(capture.captureAndReduce());
    capture.pause();
    painter.fill(0, 0, 960, 1080, kBlack);
    const auto resumed = capture.captureAndReduce();
    ASSERT_TRUE(resumed);
    EXPECT_DOUBLE_EQ(resumed->signature.mean, 0.5);
    EXPECT_EQ(capture.rowsRead(), 2 * 1080);

    X11ShmCapture everyTime(panel, X11ShmCapture::Mode::EveryTime);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(everyTime.captureAndReduce());
    }
    EXPECT_EQ(everyTime.framesRead(), 3);
}

TEST_F(X11ShmCaptureTest, FollowsItsMonitorWhenItMoves)
{
    painter.fill(0, 0, 1920, 1080, kWhite);
    painter.fill(1920, 0, 1920, 1080, kBlack);
    X11ShmCapture capture(panel);
    ASSERT_EQ(capture.captureAndReduce()->meanLuminance, 1.0);

    // Monitors defined by a client come without notification; the capture looks again within a second.
    control.setMonitor("DP-1", {0, 0, 1920, 1080, false});
    control.setMonitor("eDP-1", {1920, 0, 1920, 1080, true}, true);
    std::optional<ScreenReduction> moved;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        moved = capture.captureAndReduce();
        return moved && moved->meanLuminance == 0.0;
    }));
    EXPECT_EQ(capture.framesRead(), 2);

    // A monitor that is gone gives nothing, without a reason: it may come back.
    control.deleteMonitor("eDP-1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !capture.captureAndReduce(); }));
    EXPECT_EQ(capture.unavailableReason(), std::nullopt);
}

// A frame mostly drawn on is shrunk by the server (how close its figures stay: bench/shrink-error.sh); a small
// drawing after it goes back to exact reading.
TEST_F(X11ShmCaptureTest, AfterAShrunkFrameSmallDrawingsAreReadExactly)
{
    painter.fill(0, 0, 1920, 1080, kBlack);
    X11ShmCapture capture(panel, X11ShmCapture::Mode::WhenDrawn, X11ShmCapture::kScale);
    ASSERT_TRUE(capture.captureAndReduce());
    painter.fill(0, 0, 1920, 1080, 0x808080);
    ASSERT_TRUE(captureNewFrame(capture));
    EXPECT_EQ(capture.scaledFramesRead(), 1);

    // A small drawing after a shrunk frame: the whole frame is read at full size once, then rows only.
    const long rowsBefore = capture.rowsRead();
    painter.fill(100, 100, 200, 200, kBlack);
    const auto exactAgain = captureNewFrame(capture);
    EXPECT_EQ(capture.rowsRead(), rowsBefore + 1080);
    X11ShmCapture whole(panel, X11ShmCapture::Mode::EveryTime, std::nullopt);
    EXPECT_TRUE(sameFigures(exactAgain, whole.captureAndReduce()));
    painter.fill(100, 100, 200, 200, kWhite);
    ASSERT_TRUE(captureNewFrame(capture));
    EXPECT_EQ(capture.rowsRead(), rowsBefore + 1080 + 200);
    EXPECT_EQ(capture.scaledFramesRead(), 1);
}

// While the whole monitor keeps changing, a glance stands in for the full read of a picture seen lately,
// never for another picture, even one alike on a regular grid of the glance's pitch; a new picture is read
// within two ticks.
TEST_F(X11ShmCaptureTest, WhileTheWholeMonitorChangesReadsOnlyWhatTheGlanceHasNotSeen)
{
    // Means 0.078 and 0.498, alike on every 16th (and 17th) pixel of every 16th (and 17th) row; then white.
    QImage pictures[3];
    for (const auto &[i, grey] : {std::pair(0, 20), std::pair(1, 127), std::pair(2, 255)}) {
        pictures[i] = QImage(1920, 1080, QImage::Format_RGB32);
        pictures[i].fill(qRgb(grey, grey, grey));
    }
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            if ((x + 9) % 16 < 2 && (y + 9) % 16 < 2) {
                pictures[1].setPixel(x, y, qRgb(20, 20, 20));
            }
        }
    }
    std::optional<ScreenReduction> exact[2];
    for (int i = 0; i < 2; ++i) {
        test::showOnRoot(pictures[i]);
        exact[i] = X11ShmCapture(panel, X11ShmCapture::Mode::EveryTime).captureAndReduce();
    }
    X11ShmCapture capture(panel);
    ASSERT_TRUE(capture.captureAndReduce());
    const auto tick = [&](const QImage &picture) {
        test::showOnRoot(picture);
        // The drawing's notice reaches the capture's own connection a moment after the painter's answer.
        std::this_thread::sleep_for(2ms);
        return capture.captureAndReduce();
    };
    for (int i = 0; i < BusyScreenPace::kSettleTicks + 2; ++i) {
        tick(pictures[i % 2]);
    }
    const int settled = capture.framesRead();
    constexpr int kTicks = 30;
    for (int i = 0; i < kTicks; ++i) {
        // The figures of the picture shown, within the accuracy bound of a read.
        const auto got = tick(pictures[i % 2]);
        ASSERT_TRUE(got) << "tick " << i;
        EXPECT_NEAR(got->signature.mean, exact[i % 2]->signature.mean, 0.005) << "tick " << i;
    }
    // Each picture again once its figures have grown old.
    EXPECT_GE(capture.framesRead() - settled, 2 * (kTicks / (GlanceMemory::kMaxAgeTicks + 1)));
    EXPECT_LE(capture.framesRead() - settled, 2 * (kTicks / GlanceMemory::kMaxAgeTicks + 1));

    test::showOnRoot(pictures[2]);
    const auto white = X11ShmCapture(panel, X11ShmCapture::Mode::EveryTime, std::nullopt).captureAndReduce();
    std::optional<ScreenReduction> seen = tick(pictures[2]);
    if (!sameFigures(seen, white)) {
        seen = tick(pictures[2]);
    }
    EXPECT_TRUE(sameFigures(seen, white));
}

TEST(X11ShmCaptureWithoutServerTest, SaysWhyWhenNoServerAnswers)
{
    test::ScopedEnv display("DISPLAY", ":4999");
    X11ShmCapture unreachable(1);
    EXPECT_EQ(unreachable.captureAndReduce(), std::nullopt);
    EXPECT_EQ(unreachable.unavailableReason(), "Screen capture cannot reach the X server at DISPLAY=:4999.");

    const test::ScopedEnv noDisplay("DISPLAY", std::nullopt);
    X11ShmCapture unset(1);
    EXPECT_EQ(unset.captureAndReduce(), std::nullopt);
    EXPECT_EQ(unset.unavailableReason(), "Screen capture needs an X server, and DISPLAY is not set.");
}

} // namespace
