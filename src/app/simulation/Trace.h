// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ContentSignature.h"

#include <string>
#include <vector>

namespace lumvex::sim {

// A stretch of time in which the screen shows one thing. Times are seconds since the local midnight
// of the segment's day; the ambient light moves linearly from luxStart to luxEnd across the segment.
struct Segment
{
    double start = 0.0;
    double end = 0.0;
    double luminance = 0.5; // content luminance 0...1
    double flicker = 0.0;   // per-sample variation of the luminance (scrolling, video)
    ContentSignature signature{0.0, 0.0, 0.5};
    double luxStart = 100.0;
    double luxEnd = 100.0;
    std::string app;
};

// What the desktop does on its own at a moment of the day (seconds since local midnight).
struct DesktopEvent
{
    enum class Kind {
        idle,    // the session goes idle and the desktop dims the panel
        active,  // activity again: the desktop restores the level
        lock,    // the session locks; the lock screen dims the panel
        unlock,  // the desktop restores the level
        suspend, // the machine goes to sleep
        resume,  // it wakes: the panel reads 0 for a moment, then the desktop restores the level
        dock,    // an external display becomes the main one
        undock,  // the built-in panel is the main display again
    };
    double t = 0.0;
    Kind kind = Kind::idle;
};

// What the screen shows on each simulated day; gaps between segments are times away from the machine.
// Desktop events, when there are any, come per day in time order, with the rate at which the person
// presses the brightness keys besides their corrections.
struct Trace
{
    std::string name;
    std::vector<std::vector<Segment>> days;
    std::vector<std::vector<DesktopEvent>> events{};
    double keyPressesPerHour = 0.0;
    // The lid stays closed: the main display is an external monitor reached over DDC/CI, on its 0-100
    // scale, and the light sensor in the lid reads nothing.
    bool lidClosed = false;
};

// A plausible signature for content of a given mean luminance, for sources that carry only the mean.
ContentSignature signatureForLuminance(double luminance);

} // namespace lumvex::sim
