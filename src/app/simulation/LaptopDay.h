// SPDX-License-Identifier: MIT
#pragma once

#include "Trace.h"

#include <cstdint>

namespace lumvex::sim {

// Office days on a laptop: the machine wakes from sleep in the morning, the session goes idle a few times
// and locks over lunch, the laptop is docked to an external display for part of the afternoon, and the
// person presses the brightness keys now and then.
Trace makeLaptopDay(int days, std::uint64_t seed);

} // namespace lumvex::sim
