// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayId.h"
#include "ScreenGeometry.h"

#include <optional>
#include <string>
#include <vector>

namespace lumvex {

// The displays of the desktop and the pointer over them. Failures give neutral answers: no main
// display (0), no screens, no pointer position, an empty online list.
class DisplayServices
{
public:
    virtual ~DisplayServices() = default;

    // The display that carries the desktop's panel, or 0 when there is none.
    virtual DisplayId mainDisplay() = 0;
    // Whether the display is the machine's own panel.
    virtual bool isBuiltIn(DisplayId id) = 0;
    // The displays connected and in use now; nothing when the question could not be answered.
    virtual std::optional<std::vector<DisplayId>> onlineDisplays() = 0;
    // The displays in use with their frames, the main display first.
    virtual std::vector<Screen> screens() = 0;
    // Where the pointer is; nothing when it is on no screen of ours or the question failed.
    virtual std::optional<Point> pointerLocation() = 0;
    // The connector's name (eDP-1, DP-2), for tools that address the display by its output.
    virtual std::optional<std::string> outputName(DisplayId id) = 0;
};

} // namespace lumvex
