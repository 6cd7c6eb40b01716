// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/DisplayId.h"

#include <optional>
#include <string>
#include <vector>

namespace lumvex {

// The system at one instant as the recorder sees it; the shell fills it from the other components.
// Absent values are left out of the row.
struct TelemetrySnapshot
{
    std::optional<double> brightness; // built-in display, 0...1; nothing while it cannot be read
    std::optional<double> lumRaw;
    std::optional<double> lumSlow;
    std::optional<double> lumFast;
    std::vector<double> lumGrid; // per-cell luminances of the latest capture, in grid order
    std::optional<double> ambLux;
    std::optional<double> ambNorm;
    bool ambAvailable = false;
    std::optional<std::string> appID;
    std::optional<std::string> appName;
    DisplayId displayID = 0; // the main display
    bool builtin = false;
    bool autoOn = false;
    std::optional<double> rTarget;
    std::optional<double> bLoop;
};

} // namespace lumvex
