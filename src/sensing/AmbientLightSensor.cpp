// SPDX-License-Identifier: MIT
#include "AmbientLightSensor.h"

#include <algorithm>
#include <cmath>

namespace lumvex {

double ambientLevel(double raw)
{
    return std::clamp(std::log10(raw + 1.0) / 6.0, 0.0, 1.0);
}

std::optional<double> rawCount(double lux)
{
    if (!std::isfinite(lux)) {
        return std::nullopt;
    }
    // A calibration offset can push a dark reading below zero; no light is the least a sensor can see.
    return std::round(std::max(lux, 0.0));
}

AmbientLightSensor::AmbientLightSensor(std::unique_ptr<LightSource> source)
    : m_source(std::move(source))
{}

std::optional<double> AmbientLightSensor::read()
{
    const std::optional<AmbientSample> sample = sampleRaw();
    if (!sample) {
        return std::nullopt;
    }
    m_filtered = m_filtered ? kAlpha * sample->norm + (1.0 - kAlpha) * *m_filtered : sample->norm;
    return m_filtered;
}

std::optional<AmbientSample> AmbientLightSensor::sampleRaw()
{
    const std::optional<double> lux = m_source->readLux();
    const std::optional<double> raw = lux ? rawCount(*lux) : std::nullopt;
    if (!raw) {
        return std::nullopt;
    }
    return AmbientSample{*raw, ambientLevel(*raw)};
}

} // namespace lumvex
