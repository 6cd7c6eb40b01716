// SPDX-License-Identifier: MIT
#pragma once

#include "SimulatedUser.h"
#include "Simulator.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lumvex::sim {

// The parts of a taste fixed on the command line; the others stay as drawn.
struct TasteChoice
{
    std::optional<double> exponent;
    std::optional<double> tolerance;
    std::optional<double> patience;

    SimulatedUser::Taste appliedTo(SimulatedUser::Taste taste) const;
};

// One simulated person and their runs, one per strategy.
struct UserResult
{
    std::uint64_t seed;
    SimulatedUser::Taste taste;
    std::vector<RunResult> runs;
};

// Corrections per user (first day, last day, all days) for each strategy, then their sum, median and
// worst user, and how many users correct more with Lumvex than with fixed brightness.
void printPopulation(std::ostream &out, const std::vector<UserResult> &users);

// What the population found, in plain words: the median user's and the worst user's corrections with
// Lumvex (beside fixed brightness), and how many users are worse off than with fixed brightness.
std::string populationSentence(const std::vector<UserResult> &users);

// "Display writes per day: lumvex median 120, worst user 180 (busiest day 240); ...": writes to a monitor
// over DDC/CI per strategy, the users' mean per day; empty when no run wrote to one.
std::string displayWritesLine(const std::vector<UserResult> &users);

// Users whose Lumvex run needs more corrections in total than their fixed-brightness run.
int usersWorseThanFixed(const std::vector<UserResult> &users);

} // namespace lumvex::sim
