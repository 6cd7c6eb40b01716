// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/LightSource.h"

#include <cstddef>
#include <optional>

namespace lumvex {

// A light sensor in memory: reads give whatever was set last (nothing stands for a failed read), and are
// counted. Stands in for the sensor in tests and the simulation.
class SimulatedLight final : public LightSource
{
public:
    explicit SimulatedLight(std::optional<double> lux = 0.0)
        : m_lux(lux)
    {}

    void setLux(std::optional<double> lux) { m_lux = lux; }
    std::optional<double> readLux() override
    {
        ++m_reads;
        return m_lux;
    }

    std::size_t readCount() const { return m_reads; }

private:
    std::optional<double> m_lux;
    std::size_t m_reads = 0;
};

} // namespace lumvex
