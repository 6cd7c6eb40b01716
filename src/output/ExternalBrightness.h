// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/DisplayId.h"

#include <functional>
#include <optional>

namespace lumvex {

// The brightness of external displays, 0...1, by display.
class ExternalBrightness
{
public:
    virtual ~ExternalBrightness() = default;

    // The level to step from: the latest asked for, else the last known; nothing when none is known yet.
    // Never waits for the display.
    virtual std::optional<double> get(DisplayId display) = 0;
    // May apply later (writes are rate-limited); false when the request was refused at once.
    virtual bool set(DisplayId display, double brightness) = 0;
    // False when there is no way to reach external displays at all.
    virtual bool isAvailable() const { return true; }
    // False while the display's last read or write failed: it refused, erred, overran or went away.
    virtual bool answers(DisplayId) const { return true; }

    // Called when a display was read or written successfully, with the level it now has.
    std::function<void(DisplayId, double)> onLevelKnown;
};

} // namespace lumvex
