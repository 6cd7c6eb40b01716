// SPDX-License-Identifier: MIT
#pragma once

#include "base/Clock.h"

#include <algorithm>

namespace lumvex {

// A clock that moves only when told to, with a fixed offset from UTC. Drives tests and the simulation.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(Timestamp start = {}, int utcOffsetSeconds = 0)
        : m_now(start)
        , m_utcOffsetSeconds(utcOffsetSeconds)
    {}

    Timestamp now() const override { return m_now; }
    double monotonicSeconds() const override { return m_monotonic; }
    LocalTime localTime(Timestamp moment) const override;

    // Time passes up to the moment; a moment in the past only sets the wall clock back.
    void set(Timestamp moment)
    {
        m_monotonic += std::max(0.0, moment - m_now);
        m_now = moment;
    }
    void advance(double seconds) { set(m_now + seconds); }

private:
    Timestamp m_now;
    double m_monotonic = 0.0;
    int m_utcOffsetSeconds;
};

} // namespace lumvex
