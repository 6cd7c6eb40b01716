// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ScreenGeometry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex {

// An output's area in the compositor's logical coordinates, y growing downwards.
struct OutputRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Minimum edges inside, maximum edges outside, as for desktop frames.
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }

    bool operator==(const OutputRect &) const = default;
};

struct NamedOutput
{
    std::string name;
    OutputRect logical;
};

// Which outputs are the machine's own panel: eDP, LVDS and DSI connectors, and the one named by
// `alsoBuiltIn` (empty: none), for panels whose connector name does not tell.
struct BuiltInRule
{
    std::string alsoBuiltIn;

    bool operator()(std::string_view name) const;
};

// The output that carries the desktop's panel: the built-in one, else the one at the logical origin,
// else the first; nothing without outputs.
std::optional<std::size_t> mainOutputIndex(const std::vector<NamedOutput> &outputs, const BuiltInRule &builtIn = {});

// The lowest edge of the layout, from which desktop coordinates count upwards.
int layoutBottom(const std::vector<NamedOutput> &outputs);

// The outputs as desktop screens, y growing upwards, the main one first, ids from their names.
std::vector<Screen> desktopScreens(const std::vector<NamedOutput> &outputs, const BuiltInRule &builtIn = {});

// A logical position in desktop coordinates, taken at the pixel's centre; nothing when it lies on no
// output.
std::optional<Point> desktopPointOnOutputs(int x, int y, const std::vector<NamedOutput> &outputs);

} // namespace lumvex
