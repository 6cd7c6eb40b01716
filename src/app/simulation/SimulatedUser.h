// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace lumvex::sim {

// A person at the screen with fixed, hidden tastes: a preferred perceived light (brightness x content
// luminance) that grows with the room's light and, more slowly than the content itself, with how light
// the content is (dark themes are read darker, but not as dark as they are). When the light stays off by
// more than their tolerance for a few seconds, they scroll the brightness in 5 % notches to the notch
// that suits them best.
class SimulatedUser
{
public:
    static constexpr double kNotch = 0.05;

    struct Taste
    {
        double anchors[4];      // preferred perceived light of mid-grey content at 1, 30, 300 and 3000 lux
        double contentExponent; // 1: content differences wanted as they are; below 1: only partly
        double tolerance;       // the factor by which the light may be off, either way
        double patience;        // seconds of discomfort before acting

        // A person drawn from the population the simulation assumes for a single user: someone who
        // mostly wants the content's own contrast (exponent 0.8 to 1.0).
        static Taste random(std::uint64_t seed);
        // A person of the wider population of --population: anchors as above, exponent 0 to 1 (from
        // wanting the light held steady to wanting the content as it is), tolerance 1.15 to 1.35,
        // patience 3 to 5 s, each uniform.
        static Taste fromPopulation(std::uint64_t seed);
    };

    explicit SimulatedUser(const Taste &taste);

    double preferredPerceived(double luminance, double lux) const;

    // One look at the screen `dt` seconds after the last; returns the brightness the user scrolls to.
    std::optional<double> observe(double dt, double brightness, double luminance, double lux);

    const Taste &taste() const { return m_taste; }

private:
    Taste m_taste;
    double m_uncomfortableFor = 0.0;
};

} // namespace lumvex::sim
