// SPDX-License-Identifier: MIT
#include "CivilDate.h"

#include <cstdio>

namespace lumvex {

// The well-known era-based conversions: exact for every date, no time zone database involved.
std::int64_t daysFromCivil(CivilDate date)
{
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (date.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(std::int64_t days)
{
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

CivilDate addDays(CivilDate date, std::int64_t days)
{
    return civilFromDays(daysFromCivil(date) + days);
}

int weekdayOf(CivilDate date)
{
    // 1970-01-01 was a Thursday (5 in 1 = Sunday numbering).
    const std::int64_t d = daysFromCivil(date);
    const std::int64_t fromSunday = ((d + 4) % 7 + 7) % 7;
    return static_cast<int>(fromSunday) + 1;
}

std::string dayKey(CivilDate date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

} // namespace lumvex
