// SPDX-License-Identifier: MIT
#include "SystemClock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace lumvex {

Timestamp SystemClock::now() const
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return Timestamp::fromUnixSeconds(std::chrono::duration<double>(sinceEpoch).count());
}

double SystemClock::monotonicSeconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

LocalTime SystemClock::localTime(Timestamp moment) const
{
    const auto seconds = static_cast<std::time_t>(std::floor(moment.unixSeconds()));
    std::tm fields{};
    if (!localtime_r(&seconds, &fields)) {
        return {};
    }
    LocalTime local;
    local.date = {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday};
    local.hour = fields.tm_hour;
    local.minute = fields.tm_min;
    local.second = fields.tm_sec;
    local.weekday = fields.tm_wday + 1;
    return local;
}

} // namespace lumvex
