// SPDX-License-Identifier: MIT
#include "sensing/ContentSampler.h"
#include "OwnerQueue.h"
#include "simulated/ManualClock.h"
#include "simulated/ScriptedScreenCapture.h"

#include <gtest/gtest.h>

#include <thread>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

ScreenReduction uniform(double luminance)
{
    const double dark = luminance < 0.2 ? 1.0 : 0.0;
    const double bright = luminance > 0.8 ? 1.0 : 0.0;
    return {luminance, std::vector<double>(16, luminance), {dark, bright, luminance}};
}

class ContentSamplerTest : public testing::Test
{
protected:
    std::unique_ptr<ContentSampler> makeSampler()
    {
        auto sampler =
            std::make_unique<ContentSampler>(std::make_unique<ScriptedScreenCapture>(script), owner.poster(), clock);
        sampler->onSample = [this](double L) { samples.push_back(L); };
        return sampler;
    }

    std::shared_ptr<CaptureScript> script = std::make_shared<CaptureScript>();
    test::OwnerQueue owner;
    ManualClock clock{Timestamp::fromReferenceSeconds(700000000.0)};
    std::vector<double> samples;
};

TEST_F(ContentSamplerTest, CapturesNothingBeforeStartAndStartsFromMidGrey)
{
    script->setResult(uniform(0.0));
    const auto sampler = makeSampler();
    std::this_thread::sleep_for(250ms);
    owner.runPending();

    EXPECT_EQ(script->captures(), 0);
    EXPECT_FALSE(sampler->isRunning());
    EXPECT_EQ(sampler->rawLuminance(), 0.5);
    EXPECT_EQ(sampler->slowLuminance(), 0.5);
    EXPECT_EQ(sampler->fastLuminance(), 0.5);
    EXPECT_EQ(sampler->smoothedSignature(), (ContentSignature{0.0, 0.0, 0.5}));
    EXPECT_TRUE(sampler->gridLuminances().empty());
    EXPECT_EQ(sampler->lastSampleAt(), std::nullopt);
}

TEST_F(ContentSamplerTest, GridIsKeptOnlyWhileAskedFor)
{
    script->setResult(uniform(0.6));
    const auto sampler = makeSampler();
    sampler->setCaptureGrid(true);
    sampler->start();
    ASSERT_TRUE(owner.runUntil([&] { return !sampler->gridLuminances().empty(); }));
    EXPECT_EQ(sampler->gridLuminances(), std::vector<double>(16, 0.6));

    sampler->setCaptureGrid(false);
    ASSERT_TRUE(owner.runUntil([&] { return sampler->gridLuminances().empty(); }));
}

TEST_F(ContentSamplerTest, FailedCapturesChangeNothingAndUnavailabilityIsReportedOnce)
{
    script->setResult(std::nullopt);
    script->setUnavailableReason("Screen capture needs an X server.");
    const auto sampler = makeSampler();
    std::vector<std::string> reasons;
    sampler->onUnavailable = [&](const std::string &reason) { reasons.push_back(reason); };

    sampler->start();
    ASSERT_TRUE(owner.runUntil([&] { return script->captures() >= 5; }));
    owner.runUntil([] { return false; }, 100ms);
    EXPECT_EQ(reasons, std::vector<std::string>{"Screen capture needs an X server."});
    EXPECT_EQ(sampler->unavailableReason(), "Screen capture needs an X server.");
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(sampler->lastSampleAt(), std::nullopt);
    EXPECT_EQ(sampler->slowLuminance(), 0.5);

    // A capture that works again clears the reason; a later outage is news again.
    script->setResult(uniform(1.0));
    ASSERT_TRUE(owner.runUntil([&] { return !samples.empty(); }));
    EXPECT_EQ(sampler->unavailableReason(), std::nullopt);
    script->setResult(std::nullopt);
    ASSERT_TRUE(owner.runUntil([&] { return reasons.size() == 2; }));
}

TEST_F(ContentSamplerTest, StartAndStopDoNotNest)
{
    script->setResult(uniform(0.3));
    const auto sampler = makeSampler();
    sampler->start();
    sampler->start();
    ASSERT_TRUE(owner.runUntil([&] { return samples.size() >= 2; }));
    sampler->stop();
    EXPECT_FALSE(sampler->isRunning());
    std::this_thread::sleep_for(50ms);
    const int captures = script->captures();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(script->captures(), captures);
    EXPECT_EQ(script->pauses(), 1);

    sampler->stop();
    sampler->start();
    EXPECT_TRUE(owner.runUntil([&] { return script->captures() > captures; }));
}

TEST_F(ContentSamplerTest, SamplesCapturedBeforeStopAreStillApplied)
{
    script->setResult(uniform(0.0));
    const auto sampler = makeSampler();
    sampler->start();
    ASSERT_TRUE(owner.waitForPending(1));
    sampler->stop();
    owner.runPending();
    EXPECT_FALSE(samples.empty());
    EXPECT_EQ(sampler->fastLuminance(), 0.25);
}

TEST_F(ContentSamplerTest, DestructionWaitsForTheCaptureAndDropsWhatIsPending)
{
    // Never started, and started then stopped: nothing to wait for.
    makeSampler().reset();
    {
        const auto sampler = makeSampler();
        sampler->start();
        sampler->stop();
    }

    script->setResult(uniform(0.0));
    script->setDuration(150ms);
    auto sampler = makeSampler();
    sampler->start();
    std::this_thread::sleep_for(50ms);
    sampler.reset(); // mid-capture
    EXPECT_EQ(script->maxOverlap(), 1);
    const int captures = script->captures();
    owner.runPending();
    std::this_thread::sleep_for(250ms);
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(script->captures(), captures);
}

TEST_F(ContentSamplerTest, CapturesNeverOverlapAndLateTicksMergeIntoOne)
{
    script->setResult(uniform(0.5));
    script->setDuration(450ms);
    const auto sampler = makeSampler();
    sampler->start();
    ASSERT_TRUE(owner.runUntil([&] { return script->captures() == 1; }));
    script->setDuration(0ms);
    ASSERT_TRUE(owner.waitForPending(1)); // the slow capture has ended

    // Four ticks fell due meanwhile: they give one capture at once, not four.
    std::this_thread::sleep_for(30ms);
    EXPECT_LE(script->captures(), 2);
    EXPECT_TRUE(owner.runUntil([&] { return script->captures() >= 4; }));
    EXPECT_EQ(script->maxOverlap(), 1);
}

} // namespace
