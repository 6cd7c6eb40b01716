#pragma once

#include <optional>

namespace lumvex {

// Where ambient light readings come from: a sensor service, an illuminance device or a simulation.
class LightSource
{
public:
    virtual ~LightSource() = default;

    // One reading as the sensor gives it (lux, or the sensor's own unit), or nothing when it cannot be
    // read right now.
    virtual std::optional<double> readLux() = 0;
};

} // namespace lumvex
