// SPDX-License-Identifier: MIT
#pragma once

#include "Trace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::sim {

// The built-in days of use: "office" (dark editors, white documents and the web by daylight),
// "video" (films in a dim room), "night-reading" (pages and chats by a bedside lamp) and "laptop-day"
// (an office day with the desktop's own doings: wake, idle dimming, lock, docking, brightness keys) and
// "docked-day" (the office day with the lid closed, on an external monitor over DDC/CI).
const std::vector<std::string> &scenarioNames();

// Nothing for an unknown name. The same seed gives the same trace.
std::optional<Trace> makeScenario(std::string_view name, int days, std::uint64_t seed);

} // namespace lumvex::sim
