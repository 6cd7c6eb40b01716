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

CalibrationEntry CalibrationEntry::fromJson(const ParsedJson &object, std::vector<std::string> *dropped)
{
    CalibrationEntry entry;
    entry.offset = json::requireNumber(object, "offset");
    entry.sampleCount = json::requireInteger(object, "sampleCount");
    entry.lastUpdated = Timestamp::fromReferenceSeconds(json::requireNumber(object, "lastUpdated"));
    const auto drop = [&](const std::string &why) {
        if (dropped != nullptr) {
            dropped->push_back(why);
        }
    };
    // Each optional key on its own: one bad value must not cost the offset learned beside it.
    const auto optional = [&](const char *key, auto read) {
        try {
            return object.contains(key) ? std::optional(read(object, key)) : std::nullopt;
        } catch (const JsonDecodeError &error) {
            drop(error.what());
            return decltype(std::optional(read(object, key))){};
        }
    };
    entry.brightness = optional("brightness", json::requireNumber);
    const auto count = optional("brightnessCount", json::requireInteger);
    const auto follow = optional("contentFollow", json::requireNumber);
    if (entry.brightness) {
        entry.brightnessCount = count.value_or(0);
        entry.contentFollow = follow.value_or(0.0);
        if (!object.contains("brightnessCount")) {
            drop("\"brightnessCount\" is missing");
        }
    } else if (count || follow) {
        drop("\"brightnessCount\" and \"contentFollow\" without a brightness");
    }
    return entry;
}

} // namespace lumvex
