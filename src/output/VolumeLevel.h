// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumvex {

// The level a volume request stands for: within 0...1 and in single precision, as audio services
// store it. A NaN asks for nothing: it would otherwise count as "not below 1.0" and mean full volume.
inline std::optional<float> requestedVolume(double volume)
{
    if (std::isnan(volume)) {
        return std::nullopt;
    }
    return static_cast<float>(std::clamp(volume, 0.0, 1.0));
}

} // namespace lumvex
