// SPDX-License-Identifier: MIT
#include "SimulatedUser.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>

namespace lumvex::sim {

SimulatedUser::Taste SimulatedUser::Taste::random(std::uint64_t seed)
{
    Rng rng(seed ^ 0x5eedu);
    Taste taste{};
    const double typical[4] = {0.05, 0.11, 0.2, 0.32};
    for (int i = 0; i < 4; ++i) {
        taste.anchors[i] = typical[i] * rng.uniform(0.85, 1.15);
    }
    taste.contentExponent = rng.uniform(0.8, 1.0);
    taste.tolerance = rng.uniform(1.15, 1.35);
    taste.patience = rng.uniform(3.0, 5.0);
    return taste;
}

SimulatedUser::Taste SimulatedUser::Taste::fromPopulation(std::uint64_t seed)
{
    Taste taste = random(seed);
    // A stream of its own, so that the other fields stay those of random(seed).
    Rng rng(seed ^ 0xbadc0ffeu);
    taste.contentExponent = rng.uniform(0.0, 1.0);
    return taste;
}

SimulatedUser::SimulatedUser(const Taste &taste)
    : m_taste(taste)
{}

double SimulatedUser::preferredPerceived(double luminance, double lux) const
{
    // Between the anchors, on a logarithmic scale of light as the eye sees it.
    const double position = std::clamp(std::log10(std::max(lux, 1.0)) / std::log10(3000.0) * 3.0, 0.0, 3.0);
    const int low = std::min(static_cast<int>(position), 2);
    const double f = position - low;
    const double base = m_taste.anchors[low] * (1.0 - f) + m_taste.anchors[low + 1] * f;
    return base * std::pow(std::max(luminance, 0.01) / 0.5, m_taste.contentExponent);
}

std::optional<double> SimulatedUser::observe(double dt, double brightness, double luminance, double lux)
{
    const double preferred = preferredPerceived(luminance, lux);
    const double perceived = brightness * luminance;
    // Light is judged by ratios: twice too bright is as bad as half as bright.
    if (perceived <= preferred * m_taste.tolerance && perceived * m_taste.tolerance >= preferred) {
        m_uncomfortableFor = 0.0;
        return std::nullopt;
    }
    m_uncomfortableFor += dt;
    if (m_uncomfortableFor < m_taste.patience) {
        return std::nullopt;
    }
    m_uncomfortableFor = 0.0;
    // The notch whose light comes closest to the preference, within the panel's range. Someone who wants
    // more than the panel gives scrolls to its top, not to the notch nearest to it.
    const double wanted = std::max(preferred / std::max(luminance, 0.01), 0.0);
    const double notches = std::round((wanted - brightness) / kNotch);
    const double chosen = std::clamp(brightness + notches * kNotch, 0.0, 1.0);
    if (std::abs(chosen - brightness) < 1e-9) {
        return std::nullopt; // already as close as the panel allows
    }
    return chosen;
}

} // namespace lumvex::sim
