// SPDX-License-Identifier: MIT
#include "platform/linux/portal/PortalScreenCapture.h"
#include "FakePortal.h"
#include "engine/Settings.h"
#include "engine/SystemClock.h"
#include "platform/linux/capture/QueuedPost.h"
#include "platform/linux/portal/ScreenCastSession.h"
#include "sensing/ContentSampler.h"
#include "simulated/MemoryDefaults.h"

#include <QObject>

#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace lumvex {
namespace {

class PortalScreenCaptureTest : public ::testing::Test
{
protected:
    // Captures on this thread, letting the portal's messages through in between, until `done` holds.
    bool captureUntil(PortalScreenCapture &capture, const std::function<bool()> &done)
    {
        return QTest::qWaitFor([&] {
            last = capture.captureAndReduce();
            return done();
        });
    }

    test::FakePortal portal;
    MemoryDefaults defaults;
    std::optional<ScreenReduction> last;
};

TEST_F(PortalScreenCaptureTest, DeclinedSharingReachesTheSamplerOnceAndIsNotAskedAgain)
{
    portal.configure(R"({"responses": {"Start": 1}})");
    QObject owner;
    const SystemClock clock;
    std::vector<std::string> reasons;
    int samples = 0;
    {
        ContentSampler sampler(std::make_unique<PortalScreenCapture>(defaults), queuedPostTo(&owner), clock);
        sampler.onUnavailable = [&](const std::string &reason) { reasons.push_back(reason); };
        sampler.onSample = [&](double) { ++samples; };
        sampler.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !reasons.empty(); }));
        // Ten more ticks.
        QTest::qWait(1000);
        sampler.stop();
        sampler.start();
        QTest::qWait(300);
    }
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_NE(reasons[0].find("declined"), std::string::npos);
    EXPECT_EQ(samples, 0);
    EXPECT_EQ(portal.calls("Start").size(), 1);
}

// The desktop shows that the screen is shared for as long as a session lives.
TEST_F(PortalScreenCaptureTest, PausingEndsTheSessionWhenTheTokenCanRestoreItDestructionClosesItAndAnEndIsReported)
{
    for (const bool token : {true, false}) {
        SCOPED_TRACE(token ? "with a restore token" : "without one");
        test::FakePortal fake; // afresh
        fake.configure(token ? R"({"pipeWire": "silent"})" : R"({"pipeWire": "silent", "restoreToken": false})");
        settings::remove(defaults, settings::screenCastRestoreToken);
        auto capture = std::make_unique<PortalScreenCapture>(defaults);
        ASSERT_TRUE(captureUntil(*capture, [&] { return fake.calls("OpenPipeWireRemote").size() == 1; }));
        QTest::qWait(100);
        capture->pause();
        QTest::qWait(100);
        EXPECT_EQ(fake.calls("Session.Close").size(), token ? 1 : 0);

        // Sharing again asks no one: the new session offers the token, or there is still the old one.
        ASSERT_TRUE(captureUntil(*capture, [&] { return fake.calls("OpenPipeWireRemote").size() == (token ? 2 : 1); }));
        QTest::qWait(100);
        EXPECT_FALSE(capture->unavailableReason().has_value());
        EXPECT_EQ(fake.calls("CreateSession").size(), token ? 2 : 1);
        if (token) {
            EXPECT_EQ(fake.calls("SelectSources")[1].toObject()["options"].toObject()["restore_token"], "token-1");
        }

        // Ended by the sampler's thread: the session is closed on this one.
        std::thread([&] { capture.reset(); }).join();
        EXPECT_TRUE(QTest::qWaitFor([&] { return fake.calls("Session.Close").size() == (token ? 2 : 1); }));
    }

    // A stream that ends is reported and not asked for again; the desktop's own end needs no closing.
    for (const bool dead : {true, false}) {
        test::FakePortal fake; // afresh
        fake.configure(dead ? R"({"pipeWire": "dead"})" : R"({"pipeWire": "silent"})");
        PortalScreenCapture capture(defaults);
        if (!dead) {
            ASSERT_TRUE(captureUntil(capture, [&] { return fake.calls("OpenPipeWireRemote").size() == 1; }));
            QTest::qWait(100);
            fake.closeSessions();
        }
        ASSERT_TRUE(captureUntil(capture, [&] { return capture.unavailableReason().has_value(); }));
        EXPECT_NE(capture.unavailableReason()->find(dead ? "PipeWire" : "stopped by the desktop"), std::string::npos)
            << *capture.unavailableReason();
        EXPECT_FALSE(last.has_value());
        QTest::qWait(200);
        EXPECT_EQ(fake.calls("Start").size(), 1);
        EXPECT_TRUE(dead || fake.calls("Session.Close").isEmpty());
    }
}

} // namespace
} // namespace lumvex
