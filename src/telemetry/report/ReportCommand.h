// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace lumvex {
class Clock;
}

namespace lumvex::report {

// Where Lumvex keeps what the report reads when no input is named.
struct ReportInputs
{
    std::filesystem::path telemetryDir;  // telemetry-<day>.jsonl files
    std::filesystem::path adjustmentLog; // adjustments.csv
    bool progress = false;               // `err` is a terminal: a line per day read, redrawn in place
};

// `lumvex report [options] [DIR or FILES]`: plots what the recorder and the adjustment log hold, one panel per
// local day (days and times of `clock`), as an HTML page or, for an output ending in .svg, one SVG image.
// Each day is read, drawn and let go before the next, so memory is bounded by a day.
// Returns 0 when the report was written (malformed lines are skipped and listed), 1 when it could not be
// written, 2 for bad arguments or when there is nothing to read; one line on `err` says why.
int runReportCommand(const std::vector<std::string> &args, const ReportInputs &defaults, const Clock &clock,
                     std::ostream &out, std::ostream &err);

} // namespace lumvex::report
