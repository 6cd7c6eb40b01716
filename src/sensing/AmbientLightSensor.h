// SPDX-License-Identifier: MIT
#pragma once

#include "LightSource.h"

#include <memory>
#include <optional>

namespace lumvex {

// A reading of the sensor without smoothing: the raw count and its level.
struct AmbientSample
{
    double lux = 0.0;
    double norm = 0.0;
};

// The level of a raw count: log10(raw + 1) / 6, limited to 0...1 (1000 gives about 0.5).
double ambientLevel(double raw);

// A reading as the non-negative whole count that the level is defined on; nothing for a reading that is
// not a finite number.
std::optional<double> rawCount(double lux);

// Turns the light sensor's readings into a level from 0 (dark) to 1 (very bright): heavily smoothed for
// the compensation loop, unsmoothed for telemetry. Main thread only.
class AmbientLightSensor
{
public:
    // Weight of a new level in the smoothed one; the smoothing advances once per read(), not per second.
    static constexpr double kAlpha = 0.0033;

    // Never null: a machine without a sensor has a NoLightSource.
    explicit AmbientLightSensor(std::unique_ptr<LightSource> source);

    bool isAvailable() const { return m_source->isPresent(); }

    // The smoothed level; the first reading is taken as it is. Empty when unavailable or the sensor
    // cannot be read, in which case nothing changes.
    std::optional<double> read();
    // The raw count and its unsmoothed level, leaving the smoothed level alone.
    std::optional<AmbientSample> sampleRaw();

private:
    std::unique_ptr<LightSource> m_source;
    std::optional<double> m_filtered;
};

} // namespace lumvex
