// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayId.h"

namespace lumvex {

// Global desktop coordinates in which y grows upwards, so that the top of a display is its largest y.
struct Point
{
    double x = 0.0;
    double y = 0.0;
};

struct Rect
{
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    double maxX() const { return x + width; }
    double maxY() const { return y + height; }

    // The minimum edges belong to the rectangle, the maximum edges do not, so that displays placed side
    // by side never both contain a point.
    bool contains(Point p) const { return p.x >= x && p.x < maxX() && p.y >= y && p.y < maxY(); }

    bool operator==(const Rect &) const = default;
};

// One display's area of the desktop.
struct Screen
{
    DisplayId id = 0;
    Rect frame;

    bool operator==(const Screen &) const = default;
};

} // namespace lumvex
