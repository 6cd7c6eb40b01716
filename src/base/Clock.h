// SPDX-License-Identifier: MIT
#pragma once

#include "CivilDate.h"
#include "Timestamp.h"

namespace lumvex {

// Wall-clock fields of a moment in the local time zone.
struct LocalTime
{
    CivilDate date;
    int hour = 0; // 0...23
    int minute = 0;
    int second = 0;
    int weekday = 1; // 1 = Sunday ... 7 = Saturday
};

// The source of "now" and of local calendar fields, so that time can be driven in tests and simulations.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual Timestamp now() const = 0;
    // Seconds on a clock that only moves forward at a steady pace, from an arbitrary origin: durations are
    // measured on it, so that setting the wall clock never stretches or cuts them short.
    virtual double monotonicSeconds() const = 0;
    virtual LocalTime localTime(Timestamp moment) const = 0;

    LocalTime localNow() const { return localTime(now()); }
    // The local day of a moment as "yyyy-MM-dd".
    std::string dayKey(Timestamp moment) const { return lumvex::dayKey(localTime(moment).date); }
};

} // namespace lumvex
