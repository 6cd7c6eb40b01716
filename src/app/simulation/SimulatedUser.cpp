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

std::string behaviourName(Behaviour behaviour)
{
    switch (behaviour) {
    case Behaviour::jump:
        return "jump";
    case Behaviour::notch:
        return "notch";
    case Behaviour::overshoot:
        return "overshoot";
    case Behaviour::drift:
        return "drift";
    case Behaviour::picky:
        return "picky";
    }
    return {};
}

const std::vector<Behaviour> &allBehaviours()
{
    static const std::vector<Behaviour> all{Behaviour::jump, Behaviour::notch, Behaviour::overshoot, Behaviour::drift,
                                            Behaviour::picky};
    return all;
}

std::optional<Behaviour> behaviourNamed(std::string_view name)
{
    for (const Behaviour b : allBehaviours()) {
        if (behaviourName(b) == name) {
            return b;
        }
    }
    return std::nullopt;
}

SimulatedUser::SimulatedUser(const Taste &taste, Behaviour behaviour, std::uint64_t seed)
    : m_taste(taste)
    , m_behaviour(behaviour)
    , m_rng(seed ^ 0xbe4a710u)
    , m_nextMood(m_rng.uniform(5400.0, 9000.0))
{}

double SimulatedUser::tolerance() const
{
    if (m_behaviour == Behaviour::picky && m_looked - m_lastCorrection < kPickySeconds) {
        return 1.0 + (m_taste.tolerance - 1.0) / 2.0;
    }
    return m_taste.tolerance;
}

bool SimulatedUser::comfortable(double brightness, double luminance, double preferred) const
{
    // Light is judged by ratios: twice too bright is as bad as half as bright.
    const double perceived = brightness * luminance;
    return perceived <= preferred * tolerance() && perceived * tolerance() >= preferred;
}

double SimulatedUser::scrolled(double brightness, double wanted, double luminance, double preferred)
{
    if (m_behaviour != Behaviour::notch && m_behaviour != Behaviour::overshoot) {
        // The notch whose light comes closest to the preference, within the panel's range. Someone who wants
        // more than the panel gives scrolls to its top, not to the notch nearest to it.
        const double notches = std::round((wanted - brightness) / kNotch);
        return std::clamp(brightness + notches * kNotch, 0.0, 1.0);
    }
    const double step = wanted > brightness ? kNotch : -kNotch;
    double level = brightness;
    while (!comfortable(level, luminance, preferred)) {
        const double next = std::clamp(level + step, 0.0, 1.0);
        if (next == level) {
            break; // the end of the range
        }
        if ((next - wanted) * (level - wanted) < 0.0) {
            // Past what they want without ever being comfortable: the tolerance is finer than a notch.
            level = std::abs(next - wanted) < std::abs(level - wanted) ? next : level;
            break;
        }
        level = next;
    }
    if (m_behaviour == Behaviour::overshoot && m_rng.chance(kOvershootChance)) {
        level = std::clamp(level + step, 0.0, 1.0);
    }
    return level;
}

double SimulatedUser::preferredPerceived(double luminance, double lux) const
{
    // Between the anchors, on a logarithmic scale of light as the eye sees it.
    const double position = std::clamp(std::log10(std::max(lux, 1.0)) / std::log10(3000.0) * 3.0, 0.0, 3.0);
    const int low = std::min(static_cast<int>(position), 2);
    const double f = position - low;
    const double base = m_taste.anchors[low] * (1.0 - f) + m_taste.anchors[low + 1] * f;
    return base * m_mood * std::pow(std::max(luminance, 0.01) / 0.5, m_taste.contentExponent);
}

std::optional<double> SimulatedUser::observe(double dt, double brightness, double luminance, double lux)
{
    m_looked += dt;
    if (m_behaviour == Behaviour::drift && m_looked >= m_nextMood) {
        m_mood = std::exp(m_rng.uniform(std::log(kMoodMin), std::log(kMoodMax)));
        m_nextMood = m_looked + m_rng.uniform(5400.0, 9000.0);
    }
    const double preferred = preferredPerceived(luminance, lux);
    if (comfortable(brightness, luminance, preferred)) {
        m_uncomfortableFor = 0.0;
        return std::nullopt;
    }
    m_uncomfortableFor += dt;
    if (m_uncomfortableFor < m_taste.patience) {
        return std::nullopt;
    }
    m_uncomfortableFor = 0.0;
    const double wanted = std::max(preferred / std::max(luminance, 0.01), 0.0);
    const double chosen = scrolled(brightness, wanted, luminance, preferred);
    if (std::abs(chosen - brightness) < 1e-9) {
        return std::nullopt; // already as close as the panel allows
    }
    m_lastCorrection = m_looked;
    return chosen;
}

} // namespace lumvex::sim
