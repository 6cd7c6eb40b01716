// SPDX-License-Identifier: MIT
#pragma once

#include "base/JsonFields.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace lumvex {

// A coarse description of the moment of a correction: the key of the learned table.
// Holds any integers; the ranges 0...4 (dark, bright, mean), 0...2 (ambient) and 0...3 (time of day)
// are the ones the loop produces and the model relies on.
struct SituationBucket
{
    std::int64_t darkBin;
    std::int64_t brightBin;
    std::int64_t meanBin;
    std::optional<std::int64_t> ambientBin; // absent without an ambient reading
    std::int64_t timeOfDayBin;

    // An absent ambient bin never equals a present one, whatever its value.
    friend bool operator==(const SituationBucket &, const SituationBucket &) = default;

    // {"darkBin":..,"brightBin":..,"meanBin":..[,"ambientBin":..],"timeOfDayBin":..}
    Json toJson() const;
    // Throws JsonDecodeError. A null "ambientBin" reads as absent.
    static SituationBucket fromJson(const ParsedJson &object);
};

} // namespace lumvex

template<>
struct std::hash<lumvex::SituationBucket>
{
    std::size_t operator()(const lumvex::SituationBucket &bucket) const noexcept;
};
