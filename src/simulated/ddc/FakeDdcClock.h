// SPDX-License-Identifier: MIT
#pragma once

#include "DdcClock.h"

namespace lumvex::ddc {

// A clock that sleeps by moving on at once; it adds up how long it was asked to sleep.
class FakeDdcClock final : public DdcClock
{
public:
    TimePoint now() const override { return m_now; }
    void sleepUntil(TimePoint moment) override
    {
        if (moment > m_now) {
            m_slept += moment - m_now;
            m_now = moment;
        }
    }

    void advance(std::chrono::nanoseconds step) { m_now += step; }
    std::chrono::nanoseconds slept() const { return m_slept; }

private:
    TimePoint m_now{std::chrono::hours(1)};
    std::chrono::nanoseconds m_slept{0};
};

} // namespace lumvex::ddc
