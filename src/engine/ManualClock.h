#pragma once

#include "Clock.h"

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
    LocalTime localTime(Timestamp moment) const override;

    void set(Timestamp moment) { m_now = moment; }
    void advance(double seconds) { m_now = m_now + seconds; }

private:
    Timestamp m_now;
    int m_utcOffsetSeconds;
};

} // namespace lumvex
