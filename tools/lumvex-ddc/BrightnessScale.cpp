// SPDX-License-Identifier: MIT
#include "BrightnessScale.h"

#include <algorithm>

namespace lumvex::ddc {

std::optional<int> percentOf(VcpValue value)
{
    if (value.maximum == 0) {
        return std::nullopt;
    }
    const long current = std::min(value.current, value.maximum);
    return static_cast<int>((current * 100 + value.maximum / 2) / value.maximum);
}

std::uint16_t rawValueFor(int percent, std::uint16_t maximum)
{
    const long clamped = std::clamp(percent, 0, 100);
    return static_cast<std::uint16_t>((clamped * maximum + 50) / 100);
}

} // namespace lumvex::ddc
