// SPDX-License-Identifier: MIT
#include "ScreenPainter.h"
#include "engine/SystemClock.h"
#include "platform/linux/capture/QueuedPost.h"
#include "platform/linux/x11/capture/X11ShmCapture.h"
#include "platform/linux/x11/XServerControl.h"

#include "support/TempDir.h"
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

// The real sampler on the real capture, its figures handed over by Qt's event loop.
class SamplerOnXvfbTest : public testing::Test
{
protected:
    void SetUp() override { control.panelBesideExternal(); }
    void TearDown() override { control.reset(); }

    std::unique_ptr<ContentSampler> makeSampler(DisplayId display)
    {
        auto capture = std::make_unique<X11ShmCapture>(display);
        this->capture = capture.get();
        auto sampler = std::make_unique<ContentSampler>(std::move(capture), queuedPostTo(&owner), clock);
        sampler->onSample = [this](double L) {
            samples.push_back(L);
            EXPECT_EQ(std::this_thread::get_id(), mainThread);
        };
        return sampler;
    }

    test::XServerControl control;
    test::ScreenPainter painter;
    SystemClock clock;
    QObject owner;
    const std::thread::id mainThread = std::this_thread::get_id();
    X11ShmCapture *capture = nullptr;
    std::vector<double> samples;
};

TEST_F(SamplerOnXvfbTest, FollowsTheScreenFromBlackToWhiteToHalfAndHalf)
{
    painter.fill(0, 0, 1920, 1080, 0x000000);
    painter.fill(1920, 0, 1920, 1080, 0xffffff); // not the main display
    const auto sampler = makeSampler(control.atom("eDP-1"));
    std::vector<std::pair<double, double>> filtered;
    sampler->onFiltered = [&](double slow, double fast) { filtered.emplace_back(slow, fast); };
    sampler->setCaptureGrid(true);

    sampler->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !filtered.empty(); }));
    EXPECT_EQ(samples.front(), 0.0);
    EXPECT_DOUBLE_EQ(filtered.front().first, 0.41);
    EXPECT_EQ(filtered.front().second, 0.25);
    EXPECT_EQ(sampler->gridLuminances(), std::vector<double>(16, 0.0));
    ASSERT_TRUE(sampler->lastSampleAt());
    EXPECT_LT(std::abs(clock.now() - *sampler->lastSampleAt()), 5.0);

    painter.fill(0, 0, 1920, 1080, 0xffffff);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->rawLuminance() == 1.0; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->fastLuminance() > 0.999; }));

    painter.fill(0, 0, 960, 1080, 0x000000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->rawLuminance() == 128.0 / 255.0; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(sampler->smoothedSignature().pctDark - 0.5) < 0.01; }));
    const ContentSignature signature = sampler->smoothedSignature();
    EXPECT_NEAR(signature.pctBright, 0.5, 0.01);
    EXPECT_NEAR(signature.mean, 0.5, 0.01);
    EXPECT_EQ(sampler->gridLuminances()[0], 0.0);
    EXPECT_EQ(sampler->gridLuminances()[3], 1.0);
}

TEST_F(SamplerOnXvfbTest, StillScreenKeepsSamplingWithoutReadingFrames)
{
    painter.fill(0, 0, 1920, 1080, 0x808080);
    const auto sampler = makeSampler(control.atom("eDP-1"));
    sampler->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return samples.size() >= 6; }));
    EXPECT_EQ(capture->framesRead(), 1);
    EXPECT_EQ(samples.back(), samples.front());

    sampler->stop();
    QTest::qWait(150);
    const std::size_t count = samples.size();
    QTest::qWait(300);
    EXPECT_EQ(samples.size(), count);
}

TEST_F(SamplerOnXvfbTest, WithoutServerTheSamplerSaysWhyOnceAndSamplesNothing)
{
    std::optional<test::ScopedEnv> display(std::in_place, "DISPLAY", ":4999");
    const auto sampler = makeSampler(control.atom("eDP-1"));
    std::vector<std::string> reasons;
    sampler->onUnavailable = [&](const std::string &reason) { reasons.push_back(reason); };
    sampler->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reasons.empty(); }));
    QTest::qWait(400);
    display.reset();
    EXPECT_EQ(reasons, std::vector<std::string>{"Screen capture cannot reach the X server at DISPLAY=:4999."});
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(sampler->lastSampleAt(), std::nullopt);
}

} // namespace
