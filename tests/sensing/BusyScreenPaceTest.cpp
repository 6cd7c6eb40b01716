// SPDX-License-Identifier: MIT
#include "sensing/BusyScreenPace.h"

#include <gtest/gtest.h>

#include <string>

using namespace lumvex;

namespace {

// Runs ticks that each find the whole screen drawn on ('W') or a small part ('s'); returns what the
// pace did with each: 'c' captured, '-' left out.
std::string run(BusyScreenPace &pace, const std::string &found)
{
    std::string done;
    for (const char tick : found) {
        if (pace.skipsTick()) {
            done += '-';
            continue;
        }
        pace.noteTick(tick == 'W');
        done += 'c';
    }
    return done;
}

TEST(BusyScreenPaceTest, HalvesTheRateOnlyAfterThreeSecondsOfWholeChanges)
{
    BusyScreenPace pace;
    const std::string settling(BusyScreenPace::kSettleTicks, 'W');
    EXPECT_EQ(run(pace, settling), std::string(BusyScreenPace::kSettleTicks, 'c'));
    EXPECT_EQ(run(pace, "WWWWWW"), "-c-c-c");
    // A small change brings back the full rate at once, and the count starts again.
    EXPECT_EQ(run(pace, "WsWWWW"), "-ccccc");
    EXPECT_EQ(run(pace, settling.substr(4)), std::string(BusyScreenPace::kSettleTicks - 4, 'c'));
    EXPECT_EQ(run(pace, "WWW"), "-c-");
}

} // namespace
