// SPDX-License-Identifier: MIT
#include "VolumeText.h"

#include <algorithm>
#include <cmath>

namespace lumvex {

int volumePercent(double volume)
{
    if (std::isnan(volume)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100.0));
}

std::string volumeMenuLine(double volume, bool muted)
{
    if (muted) {
        return "Volume: muted";
    }
    return "Volume: " + std::to_string(volumePercent(volume)) + "%";
}

std::string muteMenuTitle(bool muted)
{
    return muted ? "Unmute" : "Mute";
}

} // namespace lumvex
