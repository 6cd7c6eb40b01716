#include "platform/linux/audio/PulseVolumeRules.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace lumvex::pulse {
namespace {

pa_cvolume channels(std::initializer_list<pa_volume_t> values)
{
    pa_cvolume volume{};
    for (const pa_volume_t value : values) {
        volume.values[volume.channels++] = value;
    }
    return volume;
}

TEST(PulseVolumeRulesTest, LevelIsTheLoudestChannelWithinZeroToOne)
{
    EXPECT_EQ(levelOf(channels({PA_VOLUME_NORM / 4, PA_VOLUME_NORM / 2})), 0.5f);
    EXPECT_EQ(levelOf(channels({0, 0})), 0.0f);
    EXPECT_EQ(levelOf(channels({PA_VOLUME_NORM * 3 / 2, PA_VOLUME_NORM})), 1.0f);
    EXPECT_EQ(levelOf(channels({19661})), static_cast<float>(19661.0 / PA_VOLUME_NORM));
}

TEST(PulseVolumeRulesTest, RawVolumeRoundsToTheNearestStepAndStaysWithinNormal)
{
    EXPECT_EQ(rawVolumeOf(0.0f), PA_VOLUME_MUTED);
    EXPECT_EQ(rawVolumeOf(1.0f), PA_VOLUME_NORM);
    EXPECT_EQ(rawVolumeOf(0.3f), 19661u); // 19660.8
    EXPECT_EQ(rawVolumeOf(1.2f), PA_VOLUME_NORM);
    EXPECT_EQ(rawVolumeOf(-0.1f), PA_VOLUME_MUTED);
}

TEST(PulseVolumeRulesTest, ScalingKeepsTheBalanceAndTakesItBackAfterSilence)
{
    const pa_cvolume leftHeavy = channels({40000, 20000});
    const pa_cvolume louder = scaledTo(leftHeavy, leftHeavy, 60000);
    EXPECT_EQ(louder.channels, 2);
    EXPECT_EQ(louder.values[0], 60000u);
    EXPECT_EQ(louder.values[1], 30000u);

    const pa_cvolume silent = scaledTo(leftHeavy, leftHeavy, PA_VOLUME_MUTED);
    EXPECT_EQ(silent.values[0], PA_VOLUME_MUTED);
    EXPECT_EQ(silent.values[1], PA_VOLUME_MUTED);
    const pa_cvolume back = scaledTo(silent, leftHeavy, 10000);
    EXPECT_EQ(back.values[0], 10000u);
    EXPECT_EQ(back.values[1], 5000u);

    // Without a fitting shape a silent sink comes back level on every channel.
    const pa_cvolume level = scaledTo(silent, channels({40000, 20000, 1000}), 10000);
    EXPECT_EQ(level.channels, 2);
    EXPECT_EQ(level.values[0], 10000u);
    EXPECT_EQ(level.values[1], 10000u);
    const pa_cvolume noShape = scaledTo(silent, silent, 10000);
    EXPECT_EQ(noShape.values[1], 10000u);
}

TEST(PulseVolumeRulesTest, WrittenLevelIsReportedOnlyWhileTheSinkHoldsItsStep)
{
    const WrittenLevel written{7, 0.3f, rawVolumeOf(0.3f)};
    const pa_cvolume asWritten = channels({rawVolumeOf(0.3f), rawVolumeOf(0.3f) / 2});
    EXPECT_EQ(reportedLevel(7, asWritten, written), 0.3f);
    EXPECT_EQ(reportedLevel(7, asWritten, std::nullopt), levelOf(asWritten));
    EXPECT_NE(levelOf(asWritten), 0.3f);

    // Another sink, or a change made elsewhere, shows the sink's own level.
    EXPECT_EQ(reportedLevel(8, asWritten, written), levelOf(asWritten));
    const pa_cvolume changed = channels({rawVolumeOf(0.3f) + 1, 0});
    EXPECT_EQ(reportedLevel(7, changed, written), levelOf(changed));
}

} // namespace
} // namespace lumvex::pulse
