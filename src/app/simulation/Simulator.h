// SPDX-License-Identifier: MIT
#pragma once

#include "SimulatedUser.h"
#include "Trace.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumvex::sim {

// Who moves the backlight besides the user.
enum class Strategy {
    lumvex,      // the compensation loop with its learned table
    fixed,       // nobody: only the user's own corrections
    ambientOnly, // a classic light-sensor curve, shifted by the user's corrections
};

std::string strategyName(Strategy strategy);

struct DayResult
{
    int corrections = 0;
    double meanError = 0.0; // mean |perceived - preferred|
    double p95Error = 0.0;
    double variation = 0.0; // coefficient of variation of brightness x luminance
    std::size_t writes = 0; // automatic backlight writes
    // Writes to a monitor over DDC/CI, the user's and the program's; none while the built-in panel is main.
    std::size_t displayWrites = 0;
    double activeSeconds = 0.0;
    // The desktop's own changes (dimming, restores, a dark panel at wake) taken as the user's and learned.
    int desktopChangesLearned = 0;
    // Changes the user made that something else wrote over within 1 s, or that a learning strategy
    // did not learn.
    int userChangesLost = 0;
    // Choices of the user the strategy moved 0.02 or more away from while their situation held.
    int choicesTakenBack = 0;
};

struct PlotPoint
{
    double t; // seconds since the first simulated midnight
    double luminance;
    double brightness;
    double preferred;
};

struct Correction
{
    double t;
    double from;
    double to;
};

struct RunResult
{
    Strategy strategy;
    std::vector<DayResult> days;
    std::vector<PlotPoint> plot;
    std::vector<Correction> corrections;
};

struct SimulationOptions
{
    int days = 7;
    std::uint64_t seed = 1;
    // The person at the screen; drawn from the seed when not given.
    std::optional<SimulatedUser::Taste> user;
    Behaviour behaviour = Behaviour::jump;
    // Where the loop's files go (learned table, daily statistics, adjustment log); lumvex strategy only.
    std::filesystem::path outDir;
    // Settings the loop runs with, by key (--set); lumvex strategy only.
    std::map<std::string, bool> settings;
    double plotInterval = 30.0;
    std::function<void(int day)> onDayDone;
};

// Runs the trace (its days repeated when fewer than asked for) with the simulated user of the seed.
RunResult simulate(const Trace &trace, Strategy strategy, const SimulationOptions &options);

} // namespace lumvex::sim
