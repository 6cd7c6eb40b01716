// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayId.h"

#include <string_view>

namespace lumvex {

// The display id of an output known only by its connector name (eDP-1, DP-2), as on Wayland: the 32-bit
// FNV-1a hash of the name, 0 taken as 1. Names outlive the outputs they name, so the id stays the same for
// the session and across replugging, and a tool that sees only the DRM connector gets the same id.
constexpr DisplayId outputNameId(std::string_view name)
{
    DisplayId hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    // 0 names no display.
    return hash == 0 ? 1 : hash;
}

} // namespace lumvex
