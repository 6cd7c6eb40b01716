// SPDX-License-Identifier: MIT
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
    // False while the sensor is not there (yet): a service that has not started.
    virtual bool isPresent() const { return true; }
};

// A machine without a light sensor: never present, never a reading.
class NoLightSource final : public LightSource
{
public:
    std::optional<double> readLux() override { return std::nullopt; }
    bool isPresent() const override { return false; }
};

} // namespace lumvex
