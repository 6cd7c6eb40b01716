// SPDX-License-Identifier: MIT
#include "Iso8601.h"

#include "CivilDate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace lumvex {

std::string iso8601Utc(Timestamp moment, bool withMilliseconds)
{
    const auto millis = static_cast<std::int64_t>(std::floor(moment.unixSeconds() * 1000.0));
    const std::int64_t seconds = (millis >= 0 ? millis : millis - 999) / 1000;
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - days * 86400;
    const CivilDate date = civilFromDays(days);

    char text[48];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date.year, date.month,
                                     date.day, static_cast<int>(secondOfDay / 3600),
                                     static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60));
    std::string result(text, static_cast<std::size_t>(length));
    if (withMilliseconds) {
        std::snprintf(text, sizeof text, ".%03d", static_cast<int>(millis - seconds * 1000));
        result += text;
    }
    result += 'Z';
    return result;
}

} // namespace lumvex
