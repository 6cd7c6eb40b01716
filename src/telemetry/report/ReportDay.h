// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"

#include <string>
#include <utility>
#include <vector>

namespace lumvex {
class Clock;
}

namespace lumvex::report {

// A row placed on its local day: seconds since that day's midnight.
template<typename Row>
struct Placed
{
    double tod = 0.0;
    const Row *row = nullptr;
};

// What one local day of the recording holds, in time order, and what it comes to.
struct ReportDay
{
    // Rows further apart than this were not recorded in one go (the heartbeat is ten seconds).
    static constexpr double kMaxRowGap = 30.0;

    std::string key; // yyyy-MM-dd
    int weekday = 1; // 1 = Sunday
    std::vector<Placed<TelemetryPoint>> telemetry;
    std::vector<Placed<Adjustment>> adjustments;

    std::size_t sessions = 0;
    std::size_t manualCorrections = 0; // from the adjustment log
    std::size_t automaticWrites = 0;   // logged by the loop
    double recordedSeconds = 0.0;
    std::optional<double> meanBrightness;             // over recorded time
    std::vector<std::pair<std::string, double>> apps; // seconds in front, longest first
};

// Splits the recording into local days, earliest first. The rows must outlive the days.
std::vector<ReportDay> splitIntoDays(const Recording &recording, const Clock &clock);

} // namespace lumvex::report
