// SPDX-License-Identifier: MIT
#include "sensing/ContentSampler.h"
#include "platform/linux/capture/QueuedPost.h"
#include "simulated/ManualClock.h"
#include "simulated/ScriptedScreenCapture.h"
#include "support/Eventually.h"

#include <QTest>

#include <gtest/gtest.h>

#include <thread>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

ScreenReduction uniform(double luminance)
{
    return {luminance,
            std::vector<double>(16, luminance),
            {luminance < 0.2 ? 1.0 : 0.0, luminance > 0.8 ? 1.0 : 0.0, luminance}};
}

// The sampler handing its figures over through Qt's event loop, on a scripted capture.
class ContentSamplerTest : public testing::Test
{
protected:
    std::unique_ptr<ContentSampler> makeSampler()
    {
        auto sampler = std::make_unique<ContentSampler>(std::make_unique<ScriptedScreenCapture>(script),
                                                        queuedPostTo(&owner), clock);
        sampler->onSample = [this](double L) {
            samples.push_back(L);
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
        };
        return sampler;
    }

    std::shared_ptr<CaptureScript> script = std::make_shared<CaptureScript>();
    QObject owner;
    ManualClock clock{Timestamp::fromReferenceSeconds(700000000.0)};
    const std::thread::id mainThread = std::this_thread::get_id();
    std::vector<double> samples;
};

TEST_F(ContentSamplerTest, FailedCapturesChangeNothingAndUnavailabilityIsReportedOnce)
{
    script->setResult(std::nullopt);
    script->setUnavailableReason("Screen capture needs an X server.");
    const auto sampler = makeSampler();
    std::vector<std::string> reasons;
    sampler->onUnavailable = [&](const std::string &reason) { reasons.push_back(reason); };
    sampler->setCaptureGrid(true);

    sampler->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script->captures() >= 5; }));
    QTest::qWait(100);
    EXPECT_EQ(reasons, std::vector<std::string>{"Screen capture needs an X server."});
    EXPECT_EQ(sampler->unavailableReason(), "Screen capture needs an X server.");
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(sampler->slowLuminance(), 0.5);

    // A capture that works again clears the reason; a later outage is news again.
    script->setResult(uniform(1.0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !samples.empty(); }));
    EXPECT_EQ(sampler->unavailableReason(), std::nullopt);
    EXPECT_EQ(sampler->lastSampleAt(), clock.now());
    // The grid is kept only while asked for.
    EXPECT_EQ(sampler->gridLuminances(), std::vector<double>(16, 1.0));
    sampler->setCaptureGrid(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sampler->gridLuminances().empty(); }));
    script->setResult(std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reasons.size() == 2; }));
}

TEST_F(ContentSamplerTest, StartAndStopDoNotNestAndWhatWasCapturedBeforeStopIsApplied)
{
    script->setResult(uniform(0.3));
    const auto sampler = makeSampler();
    QTest::qWait(100);
    EXPECT_EQ(script->captures(), 0) << "before the start";
    EXPECT_EQ(sampler->lastSampleAt(), std::nullopt);
    sampler->start();
    sampler->start();
    // A capture taken, its figures not yet handed over.
    ASSERT_TRUE(test::eventually([&] { return script->captures() >= 2; }));
    std::this_thread::sleep_for(20ms);
    sampler->stop();
    EXPECT_FALSE(sampler->isRunning());
    QTest::qWait(50);
    EXPECT_GE(samples.size(), 2u);
    const int captures = script->captures();
    QTest::qWait(300);
    EXPECT_EQ(script->captures(), captures);
    EXPECT_EQ(script->pauses(), 1);

    sampler->stop();
    sampler->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return script->captures() > captures; }));
}

TEST_F(ContentSamplerTest, DestructionWaitsForTheCaptureAndDropsWhatIsPending)
{
    // Never started, and started then stopped: nothing to wait for.
    makeSampler().reset();
    makeSampler()->start();

    script->setResult(uniform(0.0));
    script->setDuration(150ms);
    auto sampler = makeSampler();
    sampler->start();
    std::this_thread::sleep_for(50ms);
    sampler.reset(); // mid-capture
    EXPECT_EQ(script->maxOverlap(), 1);
    const int captures = script->captures();
    QTest::qWait(250);
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(script->captures(), captures);
}

TEST_F(ContentSamplerTest, CapturesNeverOverlapAndLateTicksMergeIntoOne)
{
    script->setResult(uniform(0.5));
    script->setDuration(450ms);
    const auto sampler = makeSampler();
    sampler->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return script->captures() == 1; }));
    script->setDuration(0ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !samples.empty(); })); // the slow capture has ended

    // Four ticks fell due meanwhile: they give one capture at once, not four.
    std::this_thread::sleep_for(30ms);
    EXPECT_LE(script->captures(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return script->captures() >= 4; }));
    EXPECT_EQ(script->maxOverlap(), 1);
}

} // namespace
