// SPDX-License-Identifier: MIT
#pragma once

#include "Trace.h"

#include <filesystem>
#include <stdexcept>

namespace lumvex::sim {

// A problem with an input file, with the file, line and field it concerns.
class InputError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Replays recorded telemetry: each row's luminance (lum_raw, else lum_fast, else lum_slow), ambient light
// (amb_lux) and application hold until the next row; gaps of more than a minute are time away. Rows are
// grouped into days by their UTC date. Throws InputError naming file, line and field.
Trace readTelemetryTrace(const std::filesystem::path &file);

} // namespace lumvex::sim
