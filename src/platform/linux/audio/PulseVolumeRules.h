// SPDX-License-Identifier: MIT
#pragma once

#include <pulse/volume.h>

#include <cstdint>
#include <optional>

// How a sink's per-channel volume maps to the single level the rest of the program sees.
namespace lumvex::pulse {

// The level of a sink: its loudest channel over the normal volume, within 0...1, in single precision.
float levelOf(const pa_cvolume &volume);

// The raw volume a level (0...1) is written as.
pa_volume_t rawVolumeOf(float level);

// `volume` with its loudest channel at `raw` and the other channels in proportion, so the balance
// stays. A silent volume has no proportions left; it takes those of `shape`, the sink's last audible
// volume, when that fits, and otherwise sets every channel alike.
pa_cvolume scaledTo(const pa_cvolume &volume, const pa_cvolume &shape, pa_volume_t raw);

// A level this program wrote, and the raw volume it became on that sink.
struct WrittenLevel
{
    std::uint32_t sink = 0;
    float level = 0.0f;
    pa_volume_t raw = 0;
};

// The level to report for a sink: the one last written while the sink still holds the raw volume it
// became, so a level reads back exactly as it was set; anything else is the sink's own level.
float reportedLevel(std::uint32_t sink, const pa_cvolume &volume, const std::optional<WrittenLevel> &written);

} // namespace lumvex::pulse
