// SPDX-License-Identifier: MIT
#pragma once

#include "Rng.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::sim {

// How a person corrects, beside what they want.
enum class Behaviour {
    jump,      // straight to the best notch
    notch,     // notch by notch, stopping at the first acceptable level: the edge of their comfort
    overshoot, // notch by notch, and now and then one notch too far
    drift,     // straight to the best notch, but what they want drifts: a new mood every couple of hours
    picky,     // straight to the best notch, and less tolerant for a while after each correction
};

std::string behaviourName(Behaviour behaviour);
std::optional<Behaviour> behaviourNamed(std::string_view name);
const std::vector<Behaviour> &allBehaviours();

// A person at the screen with fixed, hidden tastes: a preferred perceived light (brightness x content
// luminance) that grows with the room's light and, more slowly than the content itself, with how light
// the content is (dark themes are read darker, but not as dark as they are). When the light stays off by
// more than their tolerance for a few seconds, they scroll the brightness in 5 % notches, as their
// behaviour has it.
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

    // The mood after a drift: the wanted light times 0.8...1.25, every 1.5 to 2.5 hours of looking.
    static constexpr double kMoodMin = 0.8;
    static constexpr double kMoodMax = 1.25;
    // Picky: the tolerance's margin halves for ten minutes after a correction.
    static constexpr double kPickySeconds = 600.0;
    // Overshoot: the share of corrections that go one notch too far.
    static constexpr double kOvershootChance = 0.25;

    explicit SimulatedUser(const Taste &taste, Behaviour behaviour = Behaviour::jump, std::uint64_t seed = 0);

    double preferredPerceived(double luminance, double lux) const;

    // One look at the screen `dt` seconds after the last; returns the brightness the user scrolls to.
    std::optional<double> observe(double dt, double brightness, double luminance, double lux);

    const Taste &taste() const { return m_taste; }

private:
    double tolerance() const;
    bool comfortable(double brightness, double luminance, double preferred) const;
    double scrolled(double brightness, double wanted, double luminance, double preferred);

    Taste m_taste;
    Behaviour m_behaviour;
    Rng m_rng;
    double m_uncomfortableFor = 0.0;
    double m_looked = 0.0; // seconds of looking at the screen
    double m_mood = 1.0;
    double m_nextMood;
    double m_lastCorrection = -1e300;
};

} // namespace lumvex::sim
