#pragma once

#include "sensing/DisplayId.h"

#include <string_view>

namespace lumvex {

// A Wayland output's display id: the 32-bit FNV-1a hash of its connector name (eDP-1, DP-2), 0 taken
// as 1. Outputs carry no number that outlives them, but names do, so the id stays the same for the
// session and across replugging, and tools that know only the DRM connector name get the same id.
DisplayId waylandOutputId(std::string_view name);

} // namespace lumvex
