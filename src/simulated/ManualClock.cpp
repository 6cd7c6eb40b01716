// SPDX-License-Identifier: MIT
#include "ManualClock.h"

#include <cmath>
#include <cstdint>

namespace lumvex {

LocalTime ManualClock::localTime(Timestamp moment) const
{
    const auto local = static_cast<std::int64_t>(std::floor(moment.unixSeconds())) + m_utcOffsetSeconds;
    const std::int64_t days = (local >= 0 ? local : local - 86399) / 86400;
    const std::int64_t secondOfDay = local - days * 86400;
    LocalTime fields;
    fields.date = civilFromDays(days);
    fields.hour = static_cast<int>(secondOfDay / 3600);
    fields.minute = static_cast<int>(secondOfDay / 60 % 60);
    fields.second = static_cast<int>(secondOfDay % 60);
    fields.weekday = weekdayOf(fields.date);
    return fields;
}

} // namespace lumvex
