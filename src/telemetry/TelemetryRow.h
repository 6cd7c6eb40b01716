// SPDX-License-Identifier: MIT
#pragma once

#include "TelemetrySnapshot.h"
#include "base/Clock.h"

#include <optional>
#include <string>

namespace lumvex {

// What a row says besides the snapshot: why it was written and, for events, what happened.
struct TelemetryRow
{
    std::string trigger; // "tick", "start" or the event name
    std::optional<std::string> event;
    std::optional<std::string> source;
    std::optional<double> bBefore;
    std::optional<double> bAfter;
};

namespace telemetry {

inline constexpr int kSchema = 1;

// round(value * 10^decimals) / 10^decimals with halves away from zero; anything not finite becomes 0.
double roundedTo(double value, int decimals);

// One row as compact JSON, without the line break. `local` holds the local fields of `moment`.
std::string encodeRow(const TelemetryRow &row, const TelemetrySnapshot &snapshot, Timestamp moment,
                      const LocalTime &local);

} // namespace telemetry
} // namespace lumvex
