// SPDX-License-Identifier: MIT
#include "PulseVolumeRules.h"

#include <algorithm>
#include <cmath>

namespace lumvex::pulse {

float levelOf(const pa_cvolume &volume)
{
    const auto level = static_cast<float>(static_cast<double>(pa_cvolume_max(&volume)) / PA_VOLUME_NORM);
    return std::clamp(level, 0.0f, 1.0f);
}

pa_volume_t rawVolumeOf(float level)
{
    const double clamped = std::clamp(static_cast<double>(level), 0.0, 1.0);
    return static_cast<pa_volume_t>(std::lround(clamped * PA_VOLUME_NORM));
}

pa_cvolume scaledTo(const pa_cvolume &volume, const pa_cvolume &shape, pa_volume_t raw)
{
    const bool silent = pa_cvolume_max(&volume) == PA_VOLUME_MUTED;
    const bool shapeFits = shape.channels == volume.channels && pa_cvolume_max(&shape) > PA_VOLUME_MUTED;
    pa_cvolume scaled = silent && shapeFits ? shape : volume;
    pa_cvolume_scale(&scaled, raw);
    return scaled;
}

float reportedLevel(std::uint32_t sink, const pa_cvolume &volume, const std::optional<WrittenLevel> &written)
{
    if (written && written->sink == sink && written->raw == pa_cvolume_max(&volume)) {
        return written->level;
    }
    return levelOf(volume);
}

} // namespace lumvex::pulse
