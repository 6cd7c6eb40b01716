// SPDX-License-Identifier: MIT
#pragma once

#include "base/Clock.h"

namespace lumvex {

// The real clock: system time, local fields in the process's time zone (TZ).
class SystemClock final : public Clock
{
public:
    Timestamp now() const override;
    double monotonicSeconds() const override;
    LocalTime localTime(Timestamp moment) const override;
};

} // namespace lumvex
