// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"

#include <functional>
#include <optional>
#include <string_view>

namespace lumvex::report {

using TelemetrySink = std::function<void(const TelemetryPoint &)>;

// Hands each row of a telemetry file (JSON lines) to `sink`, reading only the fields the report shows; a
// line that is not a row is noted as a problem and skipped.
void readTelemetryFile(const std::filesystem::path &file, Recording &recording, const TelemetrySink &sink);

// Appends the rows of an adjustment log (CSV with its header line), noting malformed lines the same way.
void readAdjustmentLog(const std::filesystem::path &file, Recording &recording);

// Seconds since 1970 of "yyyy-MM-ddTHH:mm:ss[.fff]Z"; nothing for any other text.
std::optional<double> parseIso8601Utc(std::string_view text);

} // namespace lumvex::report
