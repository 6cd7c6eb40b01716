#pragma once

#include "sensing/DisplayId.h"

#include <optional>

namespace lumvex {

// The brightness of external displays, 0...1, by display.
class ExternalBrightness
{
public:
    virtual ~ExternalBrightness() = default;

    // Nothing when the display's brightness cannot be read.
    virtual std::optional<double> get(DisplayId display) = 0;
    // May apply later (writes are rate-limited); false when the request was refused at once.
    virtual bool set(DisplayId display, double brightness) = 0;
};

} // namespace lumvex
