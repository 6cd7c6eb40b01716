// SPDX-License-Identifier: MIT
#include "platform/linux/audio/PulseVolumeController.h"
#include "PulseTestServer.h"
#include "platform/linux/audio/PulseVolumeRules.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <limits>
#include <sstream>
#include <thread>

namespace lumvex {
namespace {

using namespace std::chrono_literals;
using test::eventually;

pa_volume_t raw(float level)
{
    return static_cast<pa_volume_t>(std::lround(static_cast<double>(level) * PA_VOLUME_NORM));
}

double levelOfRaw(pa_volume_t raw)
{
    return static_cast<float>(static_cast<double>(raw) / PA_VOLUME_NORM);
}

double single(double value)
{
    return static_cast<float>(value);
}

pa_cvolume cvolume(std::initializer_list<pa_volume_t> values)
{
    pa_cvolume volume{};
    for (const pa_volume_t value : values) {
        volume.values[volume.channels++] = value;
    }
    return volume;
}

class PulseVolumeControllerTest : public ::testing::Test
{
protected:
    // Both sinks at 50 %, test_sink the default; then a controller that has seen it.
    void SetUp() override
    {
        for (const std::string name : {"test_sink", "other_sink"}) {
            server.pactl("set-sink-volume " + name + " 50%");
        }
        volume = std::make_unique<PulseVolumeController>();
        ASSERT_TRUE(volume->waitForFirstAnswer(5s));
        ASSERT_EQ(volume->get(), 0.5);
    }

    test::PulseTestServer server;
    std::unique_ptr<PulseVolumeController> volume;
};

TEST_F(PulseVolumeControllerTest, MutesWithoutTouchingTheLevelAndFollowsChangesMadeElsewhere)
{
    volume->setMuted(true);
    ASSERT_TRUE(eventually([&] { return server.isMuted("test_sink"); }));
    EXPECT_EQ(server.loudest("test_sink"), raw(0.5f));
    volume->setMuted(false);
    ASSERT_TRUE(eventually([&] { return !server.isMuted("test_sink"); }));
    EXPECT_EQ(volume->get(), 0.5);
    EXPECT_FALSE(volume->isMuted());
    server.pactl("set-sink-volume test_sink 42%");
    const double set = levelOfRaw(server.loudest("test_sink"));
    ASSERT_TRUE(eventually([&] { return volume->get() == set; }));
    server.pactl("set-sink-mute test_sink 1");
    ASSERT_TRUE(eventually([&] { return volume->isMuted(); }));

    // Above the normal volume reads as full.
    server.pactl("set-sink-volume test_sink 150%");
    ASSERT_TRUE(eventually([&] { return volume->get() == 1.0; }));
}

TEST_F(PulseVolumeControllerTest, SetScalesEveryChannelKeepsTheBalanceThroughSilenceAndClamps)
{
    server.pactl("set-sink-volume test_sink 40% 20%");
    const double before = levelOfRaw(server.loudest("test_sink"));
    ASSERT_TRUE(eventually([&] { return volume->get() == before; }));

    EXPECT_EQ(volume->set(0.8), single(0.8));
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == raw(0.8f); }));
    auto channels = server.channels("test_sink");
    ASSERT_EQ(channels.size(), 2u);
    EXPECT_NEAR(channels[1], channels[0] / 2.0, 1.0);
    // Read back exactly as written, not as the nearest raw step.
    EXPECT_EQ(volume->get(), single(0.8));

    EXPECT_EQ(volume->set(0.0), 0.0);
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == 0; }));
    EXPECT_EQ(volume->set(0.6), single(0.6));
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == raw(0.6f); }));
    channels = server.channels("test_sink");
    EXPECT_NEAR(channels[1], channels[0] / 2.0, 1.0);

    // Out of range is clamped, and adjust starts from the last write at once.
    EXPECT_EQ(volume->set(1.5), 1.0);
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == PA_VOLUME_NORM; }));
    EXPECT_EQ(volume->set(-0.2), 0.0);
    EXPECT_EQ(volume->set(0.95), single(0.95));
    EXPECT_EQ(volume->adjust(0.1), 1.0);
    // Not a number asks for nothing, rather than for full volume.
    EXPECT_EQ(volume->set(0.5), 0.5);
    EXPECT_EQ(volume->set(std::numeric_limits<double>::quiet_NaN()), 0.5);
    EXPECT_EQ(volume->adjust(std::numeric_limits<double>::quiet_NaN()), 0.5);
    EXPECT_EQ(volume->adjust(0.1), single(0.6));
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == raw(0.6f); }));
}

TEST_F(PulseVolumeControllerTest, FastScrollingChainsOnItsOwnWritesWhileAnotherMixerIsBusy)
{
    // Another program toggling mute makes the server report the sink again and again, and reports asked
    // for before a write would otherwise arrive after it and take the scroll back.
    const std::jthread mixer([](std::stop_token stop) {
        PulseVolumeController other;
        other.waitForFirstAnswer(5s);
        for (bool muted = true; !stop.stop_requested(); muted = !muted) {
            other.setMuted(muted);
            std::this_thread::sleep_for(200us);
        }
    });
    double expected = volume->set(0.2);
    for (int burst = 0; burst < 10; ++burst) {
        for (int step = 0; step < 30; ++step) {
            expected = single(expected + 0.002);
            ASSERT_EQ(volume->adjust(0.002), expected) << "burst " << burst << ", step " << step;
        }
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == raw(static_cast<float>(expected)); }));
    EXPECT_EQ(volume->get(), expected);
}

TEST_F(PulseVolumeControllerTest, ActsOnWhicheverSinkIsTheDefaultNow)
{
    server.pactl("set-sink-volume other_sink 25%");
    const double other = levelOfRaw(server.loudest("other_sink"));
    server.pactl("set-default-sink other_sink");
    ASSERT_TRUE(eventually([&] { return volume->get() == other; }));

    volume->set(0.7);
    volume->setMuted(true);
    ASSERT_TRUE(eventually([&] { return server.loudest("other_sink") == raw(0.7f) && server.isMuted("other_sink"); }));
    EXPECT_EQ(server.loudest("test_sink"), raw(0.5f));
    EXPECT_FALSE(server.isMuted("test_sink"));

    // The default sink goes away: the server picks another, and so do we.
    server.pactl("set-sink-volume test_sink 30%");
    const int module = std::stoi(server.pactl("load-module module-null-sink sink_name=third_sink"));
    server.pactl("set-default-sink third_sink");
    const double third = levelOfRaw(server.loudest("third_sink"));
    ASSERT_TRUE(eventually([&] { return volume->get() == third && !volume->isMuted(); }));
    server.pactl("unload-module " + std::to_string(module));
    std::string fallback = server.pactl("get-default-sink");
    fallback.pop_back();
    ASSERT_NE(fallback, "third_sink");
    const double fallbackLevel = levelOfRaw(server.loudest(fallback));
    ASSERT_TRUE(eventually([&] { return std::abs(volume->get() - fallbackLevel) <= 1.0 / PA_VOLUME_NORM; }))
        << fallback;
    EXPECT_EQ(volume->isMuted(), server.isMuted(fallback));
}

TEST_F(PulseVolumeControllerTest, WithoutAnySinkOrServerAnswersAreNeutralUntilOneAppears)
{
    std::istringstream modules(server.pactl("list short modules"));
    for (std::string row; std::getline(modules, row);) {
        if (row.find("module-null-sink") != std::string::npos) {
            server.pactl("unload-module " + row.substr(0, row.find('\t')));
        }
    }
    ASSERT_TRUE(eventually([&] { return !volume->isVolumeControllable(); }));
    EXPECT_EQ(volume->get(), 0.0);
    volume->setMuted(true);
    EXPECT_FALSE(volume->isMuted());

    server.pactl("load-module module-null-sink sink_name=test_sink");
    ASSERT_TRUE(eventually([&] { return volume->isVolumeControllable(); }));
    EXPECT_EQ(volume->get(), 1.0);
    EXPECT_FALSE(volume->isMuted());

    // The server killed and restarted is picked up again.
    server.kill();
    ASSERT_TRUE(eventually([&] { return !volume->isVolumeControllable(); }));
    EXPECT_EQ(volume->get(), 0.0);
    EXPECT_EQ(volume->set(1.5), 1.0);
    EXPECT_EQ(volume->adjust(0.2), single(0.2)); // from nothing, not from the value never written
    volume->setMuted(true);
    EXPECT_FALSE(volume->isMuted());

    server.restart();
    ASSERT_TRUE(eventually([&] { return volume->isVolumeControllable(); }, 15s));
    const double restarted = levelOfRaw(server.loudest("test_sink"));
    ASSERT_TRUE(eventually([&] { return volume->get() == restarted; }));
    volume->set(0.3);
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == raw(0.3f); }));
}

TEST_F(PulseVolumeControllerTest, AnswersAtOnceWhileTheServerTakesNoRequestsAndComesAndGoesWhileRequestsAreInFlight)
{
    // A stopped server takes no requests at all.
    ASSERT_GT(server.pid(), 0);
    ::kill(server.pid(), SIGSTOP);
    EXPECT_EQ(volume->set(0.7), single(0.7));
    EXPECT_EQ(volume->get(), single(0.7));
    EXPECT_EQ(volume->adjust(0.05), single(single(0.7) + 0.05));
    volume->setMuted(true);
    EXPECT_TRUE(volume->isMuted());
    EXPECT_TRUE(volume->isVolumeControllable());
    ::kill(server.pid(), SIGCONT);
    ASSERT_TRUE(eventually([&] { return server.loudest("test_sink") == raw(0.75f) && server.isMuted("test_sink"); }));
    EXPECT_EQ(volume->get(), single(single(0.7) + 0.05));

    // Destruction must cut every callback off, at any point of the conversation.
    for (int round = 0; round < 20; ++round) {
        PulseVolumeController shortLived;
        if (round % 2 == 1) {
            shortLived.waitForFirstAnswer(5s);
            shortLived.set(0.1 * (round % 10));
            shortLived.setMuted(round % 4 == 1);
        }
    }
    EXPECT_TRUE(volume->isVolumeControllable());
}

// Balance through silence is seen on the server; a sink whose remembered shape no longer fits is not.
TEST(PulseVolumeRulesTest, WithoutAFittingShapeASilentSinkComesBackLevel)
{
    const pa_cvolume silent = cvolume({PA_VOLUME_MUTED, PA_VOLUME_MUTED});
    const pa_cvolume level = pulse::scaledTo(silent, cvolume({40000, 20000, 1000}), 10000);
    EXPECT_EQ(std::vector(level.values, level.values + level.channels), (std::vector<pa_volume_t>{10000, 10000}));
    EXPECT_EQ(pulse::scaledTo(silent, silent, 10000).values[1], 10000u);
}

} // namespace
} // namespace lumvex
