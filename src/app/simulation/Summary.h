// SPDX-License-Identifier: MIT
#pragma once

#include "Simulator.h"

#include <ostream>
#include <vector>

namespace lumvex::sim {

// The per-day table: corrections, mean and 95th percentile of |perceived - preferred|, the coefficient
// of variation of brightness x luminance, the automatic backlight writes, the desktop's changes learned as
// the user's and the user's changes lost, one column per strategy.
void printSummary(std::ostream &out, const std::vector<RunResult> &runs);

} // namespace lumvex::sim
