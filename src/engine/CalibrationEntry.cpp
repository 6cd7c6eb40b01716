#include "CalibrationEntry.h"

namespace lumvex {

Json CalibrationEntry::toJson() const
{
    Json object = Json::object();
    object["offset"] = offset;
    object["sampleCount"] = sampleCount;
    object["lastUpdated"] = lastUpdated.referenceSeconds();
    return object;
}

CalibrationEntry CalibrationEntry::fromJson(const ParsedJson &object)
{
    return {
        json::requireNumber(object, "offset"),
        json::requireInteger(object, "sampleCount"),
        Timestamp::fromReferenceSeconds(json::requireNumber(object, "lastUpdated")),
    };
}

} // namespace lumvex
