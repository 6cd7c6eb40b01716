// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayServices.h"
#include "base/Clock.h"

#include <functional>
#include <optional>
#include <vector>

namespace lumvex {

// Decides which display the brightness controls act on: the one the pointer was last moved on, while
// that is recent and the display still connected, else the one under the pointer, else the main one.
// Moves into the panel band at the top of a display are ignored, so that reaching for our status item
// keeps the display the user came from. Whoever watches the pointer calls cursorMoved().
class DisplayRouter
{
public:
    // Height of the panel band at the top of every display, in desktop units.
    static constexpr double kMenuBarHeight = 24.0;
    // How long the display of the last move stays authoritative, in seconds.
    static constexpr double kStaleness = 5.0;

    DisplayRouter(DisplayServices &displays, const Clock &clock);

    DisplayId activeDisplay() const { return m_activeDisplay; }
    void setActiveDisplay(DisplayId id) { m_activeDisplay = id; }

    // The display that brightness controls act on now; never 0 while any display exists.
    DisplayId currentTarget();

    // To be called on every pointer movement.
    void cursorMoved();

    // Receives the new active display whenever cursorMoved() changes it.
    std::function<void(DisplayId)> onActiveDisplayChange;

private:
    DisplayServices &m_displays;
    const Clock &m_clock;
    DisplayId m_activeDisplay;
    std::optional<Timestamp> m_lastNonMenuBarUpdate; // nothing: the distant past
};

// Whether the point lies in the panel band at the top of the frame; a point exactly
// kMenuBarHeight below the top edge is outside it.
bool inMenuBarBand(const Rect &frame, Point p);

// The first screen, in the given order, whose frame contains the point.
const Screen *screenAt(const std::vector<Screen> &screens, Point p);

// Whether brightness controls aimed at `target` act on the machine's own panel: a built-in display, or
// none at all (0: no display is known yet), since a change must never go to a display that does not exist.
bool actsOnBuiltIn(DisplayServices &displays, DisplayId target);

// Whether a move seen `ageSeconds` ago still decides the target. A negative age means the wall clock
// was set back; the move's age is then unknown and it no longer decides.
bool isRecentMove(double ageSeconds);

} // namespace lumvex
