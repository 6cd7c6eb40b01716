// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

namespace lumvex::ddc {

// The time that DDC/CI's pauses are measured in: a monotonic clock shared by every process on the
// machine, so that a pause begun by one run of the tool can be finished by the next.
class DdcClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~DdcClock() = default;

    virtual TimePoint now() const = 0;
    virtual void sleepUntil(TimePoint moment) = 0;
};

} // namespace lumvex::ddc
