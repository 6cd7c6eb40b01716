// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace lumvex {

// A display as the display services number it. On X11 it is the RandR monitor's name atom, stable for
// the life of the X server. 0 names no display.
using DisplayId = std::uint32_t;

} // namespace lumvex
