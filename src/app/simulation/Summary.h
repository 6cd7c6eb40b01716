// SPDX-License-Identifier: MIT
#pragma once

#include "Simulator.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace lumvex::sim {

// The brief table holds the columns people compare first and fits 100 columns with three strategies.
enum class TableWidth { brief, full };

// What the run found, in one sentence: the corrections over the whole run, per strategy.
std::string summarySentence(const std::vector<RunResult> &runs);

// The per-day table: corrections, mean and 95th percentile of |perceived - preferred|, the coefficient
// of variation of brightness x luminance, the automatic backlight writes, the desktop's changes learned as
// the user's and the user's changes lost, one column per strategy; the brief one the first three, the
// writes to a monitor over DDC/CI in place of the third where there were any.
void printSummary(std::ostream &out, const std::vector<RunResult> &runs, TableWidth width = TableWidth::brief);

// "Choices taken back: lumvex 0, fixed 3, ...": per strategy, the user's choices it moved 0.02 or more away
// from while their situation held, summed over all the runs given (one user's, or a population's).
std::string choicesTakenBackLine(const std::vector<std::reference_wrapper<const std::vector<RunResult>>> &runsPerUser);

// The full table as CSV: one row per day and strategy, then the totals as day "all".
std::string summaryCsv(const std::vector<RunResult> &runs);

} // namespace lumvex::sim
