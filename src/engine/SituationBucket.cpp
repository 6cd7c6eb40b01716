// SPDX-License-Identifier: MIT
#include "SituationBucket.h"

namespace lumvex {

Json SituationBucket::toJson() const
{
    Json object = Json::object();
    object["darkBin"] = darkBin;
    object["brightBin"] = brightBin;
    object["meanBin"] = meanBin;
    if (ambientBin) {
        object["ambientBin"] = *ambientBin;
    }
    object["timeOfDayBin"] = timeOfDayBin;
    return object;
}

SituationBucket SituationBucket::fromJson(const ParsedJson &object)
{
    return {
        json::requireInteger(object, "darkBin"),      json::requireInteger(object, "brightBin"),
        json::requireInteger(object, "meanBin"),      json::optionalInteger(object, "ambientBin"),
        json::requireInteger(object, "timeOfDayBin"),
    };
}

} // namespace lumvex

std::size_t std::hash<lumvex::SituationBucket>::operator()(const lumvex::SituationBucket &bucket) const noexcept
{
    std::size_t seed = 0;
    const auto combine = [&seed](std::int64_t value) {
        seed ^= std::hash<std::int64_t>{}(value) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    combine(bucket.darkBin);
    combine(bucket.brightBin);
    combine(bucket.meanBin);
    combine(bucket.ambientBin ? 1 : 0);
    if (bucket.ambientBin) {
        combine(*bucket.ambientBin);
    }
    combine(bucket.timeOfDayBin);
    return seed;
}
