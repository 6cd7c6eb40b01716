#pragma once

#include <algorithm>

namespace lumvex {

// The built-in display's brightness, 0...1. Failures are silent: a failed read gives 0.0, a failed
// write is dropped, and the caller corrects on its next pass.
class BrightnessController
{
public:
    virtual ~BrightnessController() = default;

    virtual double get() = 0;
    virtual void set(double value) = 0;

    // False when there is no display to drive at all (a desktop without a backlight).
    virtual bool isAvailable() const { return true; }

    // Moves the level by delta from what get() reads; returns the level asked for, within 0...1.
    double adjust(double delta)
    {
        const double next = std::clamp(get() + delta, 0.0, 1.0);
        set(next);
        return next;
    }
};

} // namespace lumvex
