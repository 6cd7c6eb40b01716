// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ScreenGeometry.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace lumvex {

// A RandR monitor's place on the root window, in pixels with y growing downwards.
struct MonitorGeometry
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool primary = false;
};

// Whether a monitor or output name marks the machine's own panel: eDP, LVDS or DSI connectors.
bool isBuiltInMonitorName(std::string_view name);

// The monitor that carries the desktop's panel: the primary one, else the one at the root's origin,
// else the first; nothing without monitors.
std::optional<std::size_t> mainMonitorIndex(const std::vector<MonitorGeometry> &monitors);

// A monitor's area in desktop coordinates, y growing upwards from the root window's bottom edge.
Rect desktopFrame(const MonitorGeometry &monitor, int rootHeight);

// The pointer's pixel on the root window in desktop coordinates, taken at the pixel's centre so that
// it lies inside exactly one of two adjacent monitors and the top 24 rows form the panel band.
Point desktopPoint(int rootX, int rootY, int rootHeight);

} // namespace lumvex
