// SPDX-License-Identifier: MIT
#pragma once

#include "output/BrightnessController.h"

#include <algorithm>
#include <cstddef>

namespace lumvex {

// A backlight in memory that stores its level in single precision, as the display services do, and
// counts the writes that reach it. Stands in for the panel in tests and the simulation.
class SimulatedBrightness final : public BrightnessController
{
public:
    explicit SimulatedBrightness(double initial = 0.5)
        : m_level(static_cast<float>(initial))
    {}

    std::optional<double> get() override { return level(); }
    double level() const { return m_level; }
    bool set(double value) override
    {
        if (refuseWrites) {
            return false;
        }
        m_level = static_cast<float>(std::clamp(value, 0.0, 1.0));
        ++m_writes;
        return true;
    }
    std::optional<std::string> writeProblem() const override
    {
        return refuseWrites ? std::optional<std::string>("writes are refused") : std::nullopt;
    }

    std::size_t writeCount() const { return m_writes; }
    // A panel whose writes fail, as one the login manager refuses to set.
    bool refuseWrites = false;

private:
    float m_level;
    std::size_t m_writes = 0;
};

} // namespace lumvex
