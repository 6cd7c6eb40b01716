#pragma once

namespace lumvex {

// The built-in display's brightness, 0...1. Failures are silent: a failed read gives 0.0, a failed
// write is dropped, and the caller corrects on its next pass.
class BrightnessController
{
public:
    virtual ~BrightnessController() = default;

    virtual double get() = 0;
    virtual void set(double value) = 0;
};

} // namespace lumvex
