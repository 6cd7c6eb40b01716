// SPDX-License-Identifier: MIT
#pragma once

#include "base/CivilDate.h"

#include <optional>

namespace lumvex {

// Rations the automatic writes to a display that answers slowly and stores every level in non-volatile
// memory (a monitor over DDC/CI): at most one write every two seconds, only changes of two points or more
// on the display's own scale, and at most 1,000 writes a local day, so a day of following the content
// neither wears the monitor's memory nor keeps its bus busy.
class WriteRation
{
public:
    static constexpr double kMinIntervalSeconds = 2.0;
    static constexpr int kMinStepPoints = 2;
    static constexpr int kDailyLimit = 1000;

    enum class Verdict { write, tooSoon, tooSmall, dayUsedUp };

    // Whether a move from `from` to `to` points may be written at `now` (monotonic seconds) on `day`.
    Verdict check(int from, int to, double now, const CivilDate &day) const;
    void wrote(double now, const CivilDate &day);
    int writesOn(const CivilDate &day) const;
    bool usedUp(const CivilDate &day) const { return writesOn(day) >= kDailyLimit; }
    // The count kept across a restart, so that a restart opens no second allowance.
    void restore(const CivilDate &day, int writes);

private:
    std::optional<double> m_lastWrite;
    CivilDate m_day;
    int m_writesToday = 0;
};

} // namespace lumvex
