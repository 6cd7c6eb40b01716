// SPDX-License-Identifier: MIT
#include "platform/linux/audio/PulseVolumeRules.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

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
    EXPECT_EQ(std::vector(level.values, level.values + level.channels), (std::vector<pa_volume_t>{10000, 10000}));
    EXPECT_EQ(scaledTo(silent, silent, 10000).values[1], 10000u);
}

} // namespace
} // namespace lumvex::pulse
