// SPDX-License-Identifier: MIT
#include "app/shell/BrightnessPoll.h"
#include "app/shell/DesktopChangeGuard.h"

#include <gtest/gtest.h>

using namespace lumvex;

namespace {

BrightnessPoll::Reading reading(double b, std::optional<double> loop, bool enabled = true, bool recording = false)
{
    return {b, loop, enabled, recording, true};
}

} // namespace

// Key presses learned once, the loop's own writes never and presses in the middle of a walk are seen with
// the real program (test_tray_program.py); these are the edges it cannot time.
TEST(BrightnessPoll, SmallMovesAreNoCorrectionsAPressBackToTheIconIsAndTelemetryTellsTheLoopFromTheUser)
{
    BrightnessPoll poll;
    poll.tick(reading(0.66, 0.66));
    const auto near = poll.tick(reading(0.68, 0.66));
    EXPECT_FALSE(near.reportManualChange);
    EXPECT_TRUE(near.showBrightness); // but the icon follows anything over 0.005
    EXPECT_FALSE(poll.tick(reading(0.684, 0.66)).showBrightness);
    // A press in the middle of a fast walk, back to what the icon showed a poll ago, is still a press.
    poll.tick(reading(0.45, 0.45));
    EXPECT_TRUE(poll.tick(reading(0.455, 0.405)).reportManualChange);
    // Without a loop there is nobody to tell.
    EXPECT_FALSE(poll.tick(reading(0.2, std::nullopt)).reportManualChange);

    // Telemetry tells the loop's work from the user's.
    poll = BrightnessPoll();
    poll.setRecorderLast(0.5);
    poll.tick(reading(0.5, 0.5, true, true));
    EXPECT_FALSE(poll.tick(reading(0.503, 0.503, true, true)).telemetry); // not more than 0.004
    const auto automatic = poll.tick(reading(0.51, 0.51, true, true)).telemetry;
    EXPECT_TRUE(automatic && automatic->source == "auto" && automatic->before == 0.5);

    // A key press is "manual" although the same tick hands it to the loop.
    const auto key = poll.tick(reading(0.7, 0.51, true, true));
    EXPECT_TRUE(key.reportManualChange && key.telemetry && key.telemetry->source == "manual");
    // With the loop off everything is the user's.
    EXPECT_EQ(poll.tick(reading(0.71, 0.71, false, true)).telemetry->source, "manual");
}

TEST(Sampling, RunsForTheLoopOrARecordingButNeverAsleep)
{
    EXPECT_FALSE(samplingWanted(false, false, false, false));
    EXPECT_TRUE(samplingWanted(true, false, false, false));
    EXPECT_FALSE(samplingWanted(true, false, true, false)); // the loop holds still while away
    EXPECT_TRUE(samplingWanted(true, true, true, false));   // a recording goes on
    EXPECT_TRUE(samplingWanted(false, true, false, false));
    EXPECT_FALSE(samplingWanted(true, true, false, true)); // nothing while the machine sleeps
}

TEST(DesktopChangeGuard, TheDesktopsRestoreAfterIdleAndWakeIsNotTheUsers)
{
    DesktopChangeGuard guard;
    const double t0 = 1000.0; // monotonic seconds
    guard.setAway(true, t0);
    guard.setAway(false, t0 + 100);
    EXPECT_FALSE(guard.userChangesTrusted(t0 + 104.9, 0.4)); // the restore after activity
    EXPECT_TRUE(guard.userChangesTrusted(t0 + 105, 0.4));

    guard.setSleeping(true, t0 + 200);
    guard.setSleeping(false, t0 + 4000);
    EXPECT_FALSE(guard.userChangesTrusted(t0 + 4004, 0.6));
    EXPECT_TRUE(guard.userChangesTrusted(t0 + 4006, 0.6));
    EXPECT_FALSE(guard.userChangesTrusted(t0 + 4020, 0.0)); // a dark panel right after wake
    EXPECT_TRUE(guard.userChangesTrusted(t0 + 4040, 0.0));  // later, zero is a choice
}
