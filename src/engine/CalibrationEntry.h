#pragma once

#include "JsonFields.h"
#include "Timestamp.h"

#include <cstdint>

namespace lumvex {

// The learned offset of one situation (in brightness x luminance units), how many direct corrections
// formed it and when it last changed.
struct CalibrationEntry
{
    double offset = 0.0;
    std::int64_t sampleCount = 0;
    Timestamp lastUpdated;

    friend bool operator==(const CalibrationEntry &, const CalibrationEntry &) = default;

    // {"offset":..,"sampleCount":..,"lastUpdated":<seconds since 2001-01-01 UTC>}
    Json toJson() const;
    // Throws JsonDecodeError; missing keys are errors, never defaults.
    static CalibrationEntry fromJson(const ParsedJson &object);
};

} // namespace lumvex
