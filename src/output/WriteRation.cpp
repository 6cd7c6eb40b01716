// SPDX-License-Identifier: MIT
#include "WriteRation.h"

#include <cstdlib>

namespace lumvex {

WriteRation::Verdict WriteRation::check(int from, int to, double now, const CivilDate &day) const
{
    if (usedUp(day)) {
        return Verdict::dayUsedUp;
    }
    if (std::abs(to - from) < kMinStepPoints) {
        return Verdict::tooSmall;
    }
    // A monotonic clock that went back (a new origin) would otherwise hold writes back for as long.
    if (m_lastWrite && now >= *m_lastWrite && now - *m_lastWrite < kMinIntervalSeconds) {
        return Verdict::tooSoon;
    }
    return Verdict::write;
}

void WriteRation::wrote(double now, const CivilDate &day)
{
    m_lastWrite = now;
    m_writesToday = writesOn(day) + 1;
    m_day = day;
}

void WriteRation::restore(const CivilDate &day, int writes)
{
    m_day = day;
    m_writesToday = writes;
}

int WriteRation::writesOn(const CivilDate &day) const
{
    return day == m_day ? m_writesToday : 0;
}

} // namespace lumvex
