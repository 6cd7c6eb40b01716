#include "platform/linux/capture/X11ShmCapture.h"
#include "ScreenPainter.h"
#include "platform/linux/x11/XServerControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
        for (int attempt = 0; attempt < 50 && capture.framesRead() == before; ++attempt) {
            if (attempt > 0) {
                std::this_thread::sleep_for(20ms);
            }
            result = capture.captureAndReduce();
        }
        return capture.framesRead() > before ? result : std::nullopt;
    }

    test::XServerControl control;
    test::ScreenPainter painter;
    DisplayId panel = 0;
    DisplayId external = 0;
};

TEST_F(X11ShmCaptureTest, ReducesOnlyTheMonitorsOwnRectangle)
{
    painter.fill(0, 0, 1920, 1080, kWhite);
    painter.fill(1920, 0, 1920, 1080, kBlack);
    X11ShmCapture panelCapture(panel);
    const auto white = panelCapture.captureAndReduce();
    ASSERT_TRUE(white);
    EXPECT_EQ(panelCapture.unavailableReason(), std::nullopt);
    EXPECT_EQ(white->meanLuminance, 1.0);
    EXPECT_EQ(white->signature, (ContentSignature{0.0, 1.0, 1.0}));
    EXPECT_EQ(white->grid, std::vector<double>(16, 1.0));

    X11ShmCapture externalCapture(external);
    const auto black = externalCapture.captureAndReduce();
    ASSERT_TRUE(black);
    EXPECT_EQ(black->meanLuminance, 0.0);
    EXPECT_EQ(black->signature, (ContentSignature{1.0, 0.0, 0.0}));
}

TEST_F(X11ShmCaptureTest, HalfBlackHalfWhiteAveragesToMidway)
{
    painter.fill(0, 0, 960, 1080, kBlack);
    painter.fill(960, 0, 960, 1080, kWhite);
    X11ShmCapture capture(panel);
    const auto half = capture.captureAndReduce();
    ASSERT_TRUE(half);
    // The area mean comes as a rendered byte: 127.5 rounds to 128.
    EXPECT_DOUBLE_EQ(half->meanLuminance, 128.0 / 255.0);
    EXPECT_DOUBLE_EQ(half->signature.mean, 0.5);
    EXPECT_DOUBLE_EQ(half->signature.pctDark, 0.5);
    EXPECT_DOUBLE_EQ(half->signature.pctBright, 0.5);
    const std::vector<double> row{0.0, 0.0, 1.0, 1.0};
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(half->grid[i], row[i % 4]) << "cell " << i;
    }
}

TEST_F(X11ShmCaptureTest, ReadsOnlyWhatWasDrawnOnItsMonitor)
{
    painter.fill(0, 0, 3840, 1080, kWhite);
    X11ShmCapture capture(panel);
    const auto first = capture.captureAndReduce();
    ASSERT_TRUE(first);
    EXPECT_EQ(capture.framesRead(), 1);
    EXPECT_EQ(capture.rowsRead(), 1080);

    // Nothing drawn: the same figures, nothing read.
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), first));
    EXPECT_EQ(capture.framesRead(), 1);

    // Drawing on the other monitor is none of its business.
    painter.fill(1920, 0, 1920, 1080, kBlack);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), first));
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), first));
    EXPECT_EQ(capture.framesRead(), 1);

    // Drawing on its own monitor, reaching onto the other one, is read on the next capture: its rows only.
    painter.fill(1720, 880, 400, 200, kBlack);
    const auto changed = captureNewFrame(capture);
    ASSERT_TRUE(changed);
    EXPECT_LT(changed->meanLuminance, 1.0);
    EXPECT_EQ(capture.rowsRead(), 1080 + 200);
    EXPECT_TRUE(sameFigures(capture.captureAndReduce(), changed));
    EXPECT_EQ(capture.framesRead(), 2);

    // Two drawings far apart: two spans, and the frame pieced together equals one read whole.
    painter.fill(0, 0, 300, 100, 0x336699);
    painter.fill(600, 700, 50, 50, 0x996633);
    const auto pieced = captureNewFrame(capture);
    EXPECT_EQ(capture.rowsRead(), 1080 + 200 + 150);
    X11ShmCapture whole(panel);
    EXPECT_TRUE(sameFigures(pieced, whole.captureAndReduce()));
}

TEST_F(X11ShmCaptureTest, AfterAPauseReadsTheWholeFrameAgain)
{
    painter.fill(0, 0, 1920, 1080, kWhite);
    X11ShmCapture capture(panel);
    ASSERT_TRUE(capture.captureAndReduce());
    capture.pause();
    painter.fill(0, 0, 960, 1080, kBlack);
    const auto resumed = capture.captureAndReduce();
    ASSERT_TRUE(resumed);
    EXPECT_DOUBLE_EQ(resumed->signature.mean, 0.5);
    EXPECT_EQ(capture.framesRead(), 2);
    EXPECT_EQ(capture.rowsRead(), 2 * 1080);
}

TEST_F(X11ShmCaptureTest, EveryTimeModeReadsEachCapture)
{
    X11ShmCapture capture(panel, X11ShmCapture::Mode::EveryTime);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(capture.captureAndReduce());
    }
    EXPECT_EQ(capture.framesRead(), 3);
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
    for (int attempt = 0; attempt < 40; ++attempt) {
        moved = capture.captureAndReduce();
        if (moved && moved->meanLuminance == 0.0) {
            break;
        }
        std::this_thread::sleep_for(50ms);
    }
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->meanLuminance, 0.0);
    EXPECT_EQ(capture.framesRead(), 2);

    // A monitor that is gone gives nothing, without a reason: it may come back.
    control.deleteMonitor("eDP-1");
    bool gone = false;
    for (int attempt = 0; attempt < 40 && !gone; ++attempt) {
        gone = !capture.captureAndReduce();
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(gone);
    EXPECT_EQ(capture.unavailableReason(), std::nullopt);
}

TEST(X11ShmCaptureWithoutServerTest, SaysWhyWhenNoServerAnswers)
{
    const std::string display = std::getenv("DISPLAY");
    setenv("DISPLAY", ":4999", 1);
    X11ShmCapture unreachable(1);
    EXPECT_EQ(unreachable.captureAndReduce(), std::nullopt);
    EXPECT_EQ(unreachable.unavailableReason(), "Screen capture cannot reach the X server at DISPLAY=:4999.");

    unsetenv("DISPLAY");
    X11ShmCapture unset(1);
    EXPECT_EQ(unset.captureAndReduce(), std::nullopt);
    EXPECT_EQ(unset.unavailableReason(), "Screen capture needs an X server, and DISPLAY is not set.");
    setenv("DISPLAY", display.c_str(), 1);
}

} // namespace
