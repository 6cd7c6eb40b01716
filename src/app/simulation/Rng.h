// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>
#include <random>

namespace lumvex::sim {

// Deterministic random numbers: the engine is specified by the standard, and the conversions to doubles
// are our own, so the same seed gives the same simulation on every standard library.
class Rng
{
public:
    explicit Rng(std::uint64_t seed)
        : m_engine(seed)
    {}

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // Exponentially distributed with the given mean.
    double exponential(double mean) { return -mean * std::log1p(-uniform()); }
    // Roughly normal (sum of uniforms): enough for jitter, and exactly reproducible.
    double jitter(double sigma)
    {
        double sum = 0.0;
        for (int i = 0; i < 4; ++i) {
            sum += uniform();
        }
        return (sum - 2.0) * sigma * 1.7320508075688772;
    }
    bool chance(double probability) { return uniform() < probability; }

private:
    std::mt19937_64 m_engine;
};

} // namespace lumvex::sim
