// SPDX-License-Identifier: MIT
#include "DdcChannel.h"
#include "simulated/ddc/FakeDdcClock.h"
#include "simulated/ddc/SimulatedMonitor.h"

#include <gtest/gtest.h>

using namespace lumvex::ddc;
using namespace std::chrono_literals;

namespace {

class DdcChannelTest : public testing::Test
{
protected:
    FakeDdcClock clock;
    SimulatedMonitor monitor{clock, {73, 100}};
    DdcChannel channel{monitor, clock};
};

TEST_F(DdcChannelTest, ReadsAfterTheReplyDelay)
{
    const DdcOutcome outcome = channel.read(kBrightnessCode);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.value, (VcpValue{73, 100}));
    EXPECT_EQ(clock.slept(), 40ms);
    EXPECT_EQ(monitor.timingViolations(), 0);
    EXPECT_EQ(monitor.garbledMessages(), 0);
}

TEST_F(DdcChannelTest, WritesAndLeavesTheDisplayItsPause)
{
    ASSERT_TRUE(channel.write(kBrightnessCode, 40).ok());
    EXPECT_EQ(monitor.brightness().current, 40);
    EXPECT_EQ(monitor.writesApplied(), 1);
    // The pause is not slept at once: it is owed by whoever speaks next.
    EXPECT_EQ(clock.slept(), 0ms);
    EXPECT_EQ(channel.quietUntil(), clock.now() + 50ms);

    const DdcOutcome after = channel.read(kBrightnessCode);
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(after.value.current, 40);
    EXPECT_EQ(clock.slept(), 90ms);
    EXPECT_EQ(monitor.timingViolations(), 0);
}

TEST_F(DdcChannelTest, RetriesOnceAfterANakACorruptedOrAnEmptyReply)
{
    monitor.nakNext();
    EXPECT_TRUE(channel.read(kBrightnessCode).ok());
    monitor.corruptNext();
    EXPECT_TRUE(channel.read(kBrightnessCode).ok());
    monitor.busyNext();
    EXPECT_TRUE(channel.read(kBrightnessCode).ok());
    EXPECT_EQ(monitor.readsRequested(), 5); // the NAKed request never arrived
    monitor.nakNext();
    EXPECT_TRUE(channel.write(kBrightnessCode, 10).ok());
    EXPECT_EQ(monitor.writesApplied(), 1);
    EXPECT_EQ(monitor.timingViolations(), 0);
}

TEST_F(DdcChannelTest, GivesUpAfterTheRetryAndSaysWhy)
{
    monitor.nakNext(2);
    DdcOutcome outcome = channel.read(kBrightnessCode);
    EXPECT_EQ(outcome.result, DdcResult::NoReply);
    EXPECT_EQ(outcome.busError, std::errc::no_such_device_or_address);

    monitor.corruptNext(2);
    EXPECT_EQ(channel.read(kBrightnessCode).result, DdcResult::BadReply);

    monitor.busyNext(2);
    EXPECT_EQ(channel.read(kBrightnessCode).result, DdcResult::NoReply);

    monitor.nakNext(2);
    EXPECT_EQ(channel.write(kBrightnessCode, 10).result, DdcResult::NoReply);
    EXPECT_EQ(monitor.brightness().current, 73);
    EXPECT_TRUE(channel.read(kBrightnessCode).ok());
}

TEST_F(DdcChannelTest, AnUnsupportedFeatureIsNotAskedTwice)
{
    monitor.setSupportsBrightness(false);
    EXPECT_EQ(channel.read(kBrightnessCode).result, DdcResult::Unsupported);
    EXPECT_EQ(monitor.readsRequested(), 1);
}

TEST_F(DdcChannelTest, ReadingTooEarlyIsWhatTheMonitorCatches)
{
    // Without the pauses the simulated monitor answers with null messages and refusals, so the tests
    // above show that the channel keeps them.
    DdcChannel hasty(monitor, clock, {.replyDelay = 0ms, .writeDelay = 0ms, .retryDelay = 0ms, .attempts = 1});
    EXPECT_EQ(hasty.read(kBrightnessCode).result, DdcResult::NoReply);
    ASSERT_TRUE(hasty.write(kBrightnessCode, 10).ok());
    EXPECT_EQ(hasty.read(kBrightnessCode).result, DdcResult::NoReply);
    EXPECT_EQ(monitor.timingViolations(), 2);
}

} // namespace
