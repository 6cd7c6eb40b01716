// SPDX-License-Identifier: MIT
#pragma once

#include "base/JsonFields.h"
#include "base/Timestamp.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumvex {

// The learned offset of one situation (in brightness x luminance units), how many direct corrections
// formed it and when it last changed; with brightness remembered per situation, also the brightness
// learned from the user's choices there, how many direct choices formed it, and how often (0...1) the
// content's level foretold a choice better than that brightness did.
struct CalibrationEntry
{
    double offset = 0.0;
    std::int64_t sampleCount = 0;
    Timestamp lastUpdated;
    std::optional<double> brightness;
    std::int64_t brightnessCount = 0;
    double contentFollow = 0.0;

    friend bool operator==(const CalibrationEntry &, const CalibrationEntry &) = default;

    // {"offset":..,"sampleCount":..,"lastUpdated":<seconds since 2001-01-01 UTC>
    //  [,"brightness":..,"brightnessCount":..,"contentFollow":..]}; the last three only with a remembered
    // brightness, so that earlier versions, which ignore keys they do not know, still read the file.
    Json toJson() const;
    // Throws JsonDecodeError for a missing or bad offset, sampleCount or lastUpdated. A bad optional key is
    // dropped alone (a brightness without a count has no weight yet, a following without a brightness is
    // meaningless), and why is added to `dropped`.
    static CalibrationEntry fromJson(const ParsedJson &object, std::vector<std::string> *dropped = nullptr);
};

} // namespace lumvex
