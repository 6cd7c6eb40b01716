// SPDX-License-Identifier: MIT
#include "CalibrationEntry.h"

namespace lumvex {

Json CalibrationEntry::toJson() const
{
    Json object = Json::object();
    object["offset"] = offset;
    object["sampleCount"] = sampleCount;
    object["lastUpdated"] = lastUpdated.referenceSeconds();
    if (brightness) {
        object["brightness"] = *brightness;
        object["brightnessCount"] = brightnessCount;
        object["contentFollow"] = contentFollow;
    }
    return object;
}

CalibrationEntry CalibrationEntry::fromJson(const ParsedJson &object)
{
    CalibrationEntry entry;
    entry.offset = json::requireNumber(object, "offset");
    entry.sampleCount = json::requireInteger(object, "sampleCount");
    entry.lastUpdated = Timestamp::fromReferenceSeconds(json::requireNumber(object, "lastUpdated"));
    if (object.contains("brightness")) {
        entry.brightness = json::requireNumber(object, "brightness");
        entry.brightnessCount = json::requireInteger(object, "brightnessCount");
        if (object.contains("contentFollow")) {
            entry.contentFollow = json::requireNumber(object, "contentFollow");
        }
    }
    return entry;
}

} // namespace lumvex
