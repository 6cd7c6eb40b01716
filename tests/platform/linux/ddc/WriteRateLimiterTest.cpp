#include "platform/linux/ddc/WriteRateLimiter.h"

#include <gtest/gtest.h>

using namespace lumvex;
using namespace lumvex::external;
using Action = WriteRateLimiter::Action;

namespace {

constexpr DisplayId kLeft = 1;
constexpr DisplayId kRight = 2;

// Asks for a write at `now`; records it when the limiter lets it through, as the controller does.
Action ask(WriteRateLimiter &limiter, DisplayId display, double value, double now, double *delay = nullptr)
{
    const WriteRateLimiter::Decision decision = limiter.request(display, value, now);
    if (decision.action == Action::WriteNow) {
        limiter.recordWrite(display, now);
    }
    if (delay != nullptr) {
        *delay = decision.delay;
    }
    return decision.action;
}

TEST(WriteRateLimiter, ABurstIsWrittenAtItsStartAndItsEnd)
{
    WriteRateLimiter limiter;
    EXPECT_EQ(ask(limiter, kLeft, 0.1, 10.0), Action::WriteNow);
    double delay = 0.0;
    EXPECT_EQ(ask(limiter, kLeft, 0.2, 10.02, &delay), Action::ArmTimer);
    EXPECT_NEAR(delay, 0.08, 1e-9);
    EXPECT_EQ(ask(limiter, kLeft, 0.3, 10.03), Action::Hold);
    EXPECT_EQ(ask(limiter, kLeft, 0.4, 10.04), Action::Hold);
    EXPECT_TRUE(limiter.isTimerArmed(kLeft));

    // The timer writes the latest value; the limiter then counts from that write.
    EXPECT_EQ(limiter.timerFired(kLeft), 0.4);
    limiter.recordWrite(kLeft, 10.1);
    EXPECT_FALSE(limiter.isTimerArmed(kLeft));
    EXPECT_EQ(limiter.pendingValue(kLeft), std::nullopt);
    EXPECT_EQ(ask(limiter, kLeft, 0.5, 10.15, &delay), Action::ArmTimer);
    EXPECT_NEAR(delay, 0.05, 1e-9);
    EXPECT_EQ(ask(limiter, kLeft, 0.6, 10.3), Action::WriteNow);
}

TEST(WriteRateLimiter, ATimerIsNeverShorterThanTheMinimumDelay)
{
    WriteRateLimiter limiter;
    ask(limiter, kLeft, 0.5, 0.0);
    double delay = 0.0;
    EXPECT_EQ(ask(limiter, kLeft, 0.6, 0.098, &delay), Action::ArmTimer);
    EXPECT_DOUBLE_EQ(delay, 0.005);
    // Exactly the interval later is no longer within it.
    WriteRateLimiter exact;
    ask(exact, kLeft, 0.5, 0.0);
    EXPECT_EQ(ask(exact, kLeft, 0.6, 0.1), Action::WriteNow);
}

TEST(WriteRateLimiter, EachDisplayIsLimitedOnItsOwn)
{
    WriteRateLimiter limiter;
    EXPECT_EQ(ask(limiter, kLeft, 0.5, 1.0), Action::WriteNow);
    EXPECT_EQ(ask(limiter, kRight, 0.5, 1.0), Action::WriteNow);
    EXPECT_EQ(ask(limiter, kLeft, 0.6, 1.01), Action::ArmTimer);
    EXPECT_EQ(ask(limiter, kRight, 0.7, 1.02), Action::ArmTimer);
    EXPECT_EQ(limiter.timerFired(kRight), 0.7);
    EXPECT_EQ(limiter.pendingValue(kLeft), 0.6);
}

TEST(WriteRateLimiter, ALateTimerFindsNothingToWrite)
{
    WriteRateLimiter limiter;
    ask(limiter, kLeft, 0.1, 0.0);
    EXPECT_EQ(ask(limiter, kLeft, 0.2, 0.05), Action::ArmTimer);
    // The event loop was busy: the next request comes after the interval and is written at once.
    EXPECT_EQ(ask(limiter, kLeft, 0.3, 0.2), Action::WriteNow);
    EXPECT_TRUE(limiter.isTimerArmed(kLeft));
    EXPECT_EQ(limiter.timerFired(kLeft), std::nullopt);
    // A request within the interval of that write arms a new timer.
    EXPECT_EQ(ask(limiter, kLeft, 0.4, 0.25), Action::ArmTimer);
}

} // namespace
