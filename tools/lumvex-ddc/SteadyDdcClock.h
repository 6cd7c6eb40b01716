// SPDX-License-Identifier: MIT
#pragma once

#include "DdcClock.h"

namespace lumvex::ddc {

// The machine's monotonic clock; sleeps really sleep.
class SteadyDdcClock final : public DdcClock
{
public:
    TimePoint now() const override;
    void sleepUntil(TimePoint moment) override;
};

} // namespace lumvex::ddc
