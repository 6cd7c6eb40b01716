// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"

#include <optional>
#include <string_view>

namespace lumvex::report {

// Appends the rows of a telemetry file (JSON lines); a line that is not a row is noted as a problem and skipped.
void readTelemetryFile(const std::filesystem::path &file, Recording &recording);

// Appends the rows of an adjustment log (CSV with its header line), noting malformed lines the same way.
void readAdjustmentLog(const std::filesystem::path &file, Recording &recording);

// Seconds since 1970 of "yyyy-MM-ddTHH:mm:ss[.fff]Z"; nothing for any other text.
std::optional<double> parseIso8601Utc(std::string_view text);

} // namespace lumvex::report
