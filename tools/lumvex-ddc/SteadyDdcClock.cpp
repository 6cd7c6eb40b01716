// SPDX-License-Identifier: MIT
#include "SteadyDdcClock.h"

#include <thread>

namespace lumvex::ddc {

DdcClock::TimePoint SteadyDdcClock::now() const
{
    return std::chrono::steady_clock::now();
}

void SteadyDdcClock::sleepUntil(TimePoint moment)
{
    std::this_thread::sleep_until(moment);
}

} // namespace lumvex::ddc
