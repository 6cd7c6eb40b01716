// SPDX-License-Identifier: MIT
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

// Balance through silence is seen on the server; a sink whose remembered shape no longer fits is not.
TEST(PulseVolumeRulesTest, WithoutAFittingShapeASilentSinkComesBackLevel)
{
    const pa_cvolume silent = channels({PA_VOLUME_MUTED, PA_VOLUME_MUTED});
    const pa_cvolume level = scaledTo(silent, channels({40000, 20000, 1000}), 10000);
    EXPECT_EQ(level.channels, 2);
    EXPECT_EQ(level.values[0], 10000u);
    EXPECT_EQ(level.values[1], 10000u);
    const pa_cvolume noShape = scaledTo(silent, silent, 10000);
    EXPECT_EQ(noShape.values[1], 10000u);
}

} // namespace
} // namespace lumvex::pulse
