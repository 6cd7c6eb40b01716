// SPDX-License-Identifier: MIT
#pragma once

#include "Simulator.h"

#include <string>

namespace lumvex::sim {

// A self-contained SVG: one panel per simulated day with the content luminance, the brightness, the
// perceived and the preferred light, and a dot at every correction.
std::string renderPlot(const RunResult &run, const std::string &title);

} // namespace lumvex::sim
