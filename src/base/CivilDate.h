// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace lumvex {

// A date in the proleptic Gregorian calendar.
struct CivilDate
{
    int year = 1970;
    int month = 1; // 1...12
    int day = 1;   // 1...31

    friend bool operator==(const CivilDate &, const CivilDate &) = default;
};

// Days since 1970-01-01 and back.
std::int64_t daysFromCivil(CivilDate date);
CivilDate civilFromDays(std::int64_t days);

// Calendar arithmetic: the same date shifted by whole days, independent of time zones.
CivilDate addDays(CivilDate date, std::int64_t days);

// 1 = Sunday ... 7 = Saturday.
int weekdayOf(CivilDate date);

// "yyyy-MM-dd" with Western digits and a four-digit year.
std::string dayKey(CivilDate date);

} // namespace lumvex
