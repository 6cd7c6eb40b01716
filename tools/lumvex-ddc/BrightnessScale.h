// SPDX-License-Identifier: MIT
#pragma once

#include "DdcPacket.h"

#include <cstdint>
#include <optional>

namespace lumvex::ddc {

// The monitor's brightness as a whole percentage of its own maximum; nothing when the maximum is 0.
// A current value above the maximum counts as 100.
std::optional<int> percentOf(VcpValue value);

// The raw value nearest to a percentage (limited to 0...100) of the maximum.
std::uint16_t rawValueFor(int percent, std::uint16_t maximum);

} // namespace lumvex::ddc
