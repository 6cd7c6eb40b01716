// SPDX-License-Identifier: MIT
#include "engine/SystemClock.h"
#include "platform/linux/capture/QueuedPost.h"
#include "platform/linux/portal/PortalScreenCapture.h"
#include "platform/linux/wayland/SwayControl.h"
#include "sensing/ContentSampler.h"
#include "sensing/Luminance.h"
#include "simulated/MemoryDefaults.h"

#include <QFile>

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

// The whole way in a headless Wayland desktop (portal-run-with-sway.sh): sway draws a solid background, the
// real desktop portal and its wlroots backend share it through PipeWire, and the sampler reads it.
namespace lumvex {
namespace {

using namespace std::chrono_literals;

// Not through QProcess: it starts the child with a raw clone(CLONE_VM | CLONE_VFORK) that ThreadSanitizer
// cannot see, and the child, running on this thread's sanitizer state, hides the locks this thread takes
// afterwards, so that handovers under a mutex are reported as races.
void setBackground(const char *colour)
{
    ASSERT_TRUE(test::SwayControl::setBackground(colour));
}

// How often the backend's output chooser ran, that is, how often someone would have been asked.
int chooserRuns()
{
    QFile runs(QString::fromLocal8Bit(std::getenv("LUMVEX_TEST_DIR")) + QStringLiteral("/chooser-runs"));
    return runs.open(QIODevice::ReadOnly) ? static_cast<int>(runs.readAll().count('\n')) : 0;
}

class PortalDesktopTest : public ::testing::Test
{
protected:
    // Samples until the raw luminance is that of `r, g, b`.
    static bool seesColour(ContentSampler &sampler, int r, int g, int b, std::chrono::milliseconds deadline = 10s)
    {
        const double expected = luminanceOf(r, g, b);
        return QTest::qWaitFor(
            [&] { return sampler.lastSampleAt() && std::abs(sampler.rawLuminance() - expected) < 1e-3; },
            int(deadline.count()));
    }

    // Paints the background and samples until it is seen. This backend sometimes holds a picture back until
    // the next one is on its way, so the same colour is painted again when it is slow to show.
    static bool showAndSee(ContentSampler &sampler, const char *colour, int r, int g, int b, int attempts = 4)
    {
        for (int attempt = 0; attempt < attempts; ++attempt) {
            setBackground(colour);
            if (seesColour(sampler, r, g, b, 2s)) {
                return true;
            }
        }
        return false;
    }

    QObject owner;
    const SystemClock clock;
    MemoryDefaults defaults;
};

TEST_F(PortalDesktopTest, TheSampledLuminanceFollowsTheScreenAndAStillScreenIsNotReducedAgain)
{
    setBackground("#000000");
    QTest::qWait(200);
    const int asked = chooserRuns();
    auto capture = std::make_unique<PortalScreenCapture>(defaults, QRect(0, 0, 1920, 1080));
    PortalScreenCapture &portal = *capture;
    std::vector<std::string> reasons;
    ContentSampler sampler(std::move(capture), queuedPostTo(&owner), clock);
    sampler.onUnavailable = [&](const std::string &reason) { reasons.push_back(reason); };
    sampler.start();
    // The first picture comes through the portal, its backend and PipeWire: slow on a loaded machine.
    ASSERT_TRUE(showAndSee(sampler, "#000000", 0, 0, 0, 15)) << (reasons.empty() ? "no figures" : reasons.back());
    EXPECT_EQ(chooserRuns(), asked + 1);
    EXPECT_TRUE(defaults.stringValue("screenCastRestoreToken").has_value());

    EXPECT_TRUE(showAndSee(sampler, "#3080c0", 0x30, 0x80, 0xc0)); // red and blue weigh differently

    // The screen stands still: samples keep coming, from the figures already made.
    QTest::qWait(500);
    const std::uint64_t reduced = portal.framesReduced();
    const auto before = sampler.lastSampleAt();
    QTest::qWait(1000);
    EXPECT_GT(sampler.lastSampleAt(), before);
    EXPECT_LE(portal.framesReduced(), reduced + 1);

    // A screen busy for longer than it takes to settle (the stream is linked again at a lower rate, and
    // again at the full rate once it calms): the capture goes on and sees the next picture.
    for (int tick = 0; tick < 50; ++tick) {
        setBackground(tick % 2 == 0 ? "#e0e0e0" : "#202020");
        QTest::qWait(100);
    }
    EXPECT_TRUE(showAndSee(sampler, "#3080c0", 0x30, 0x80, 0xc0));
    QTest::qWait(1000);
    EXPECT_TRUE(showAndSee(sampler, "#c08030", 0xc0, 0x80, 0x30));

    // Paused and resumed: what changed meanwhile is seen, with no further change to push it through. The
    // sharing ended with the pause and came back through the stored token, asking no one, as a next start does.
    sampler.stop();
    QTest::qWait(300);
    setBackground("#202020");
    QTest::qWait(300);
    sampler.start();
    EXPECT_TRUE(seesColour(sampler, 0x20, 0x20, 0x20));
    EXPECT_TRUE(reasons.empty());
    EXPECT_EQ(chooserRuns(), asked + 1);
}

} // namespace
} // namespace lumvex
