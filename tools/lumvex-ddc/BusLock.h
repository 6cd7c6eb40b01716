// SPDX-License-Identifier: MIT
#pragma once

#include "DdcClock.h"
#include "base/UniqueFd.h"

#include <chrono>
#include <filesystem>
#include <optional>

namespace lumvex::ddc {

// One run of the tool at a time per I2C bus: two interleaved conversations garble each other. The
// lock file also carries the moment the display takes its next message, so that the pause after a
// setting is honoured by the next run instead of being slept before exiting.
class BusLock
{
public:
    enum class Failure { None, Unavailable, Busy };

    // Waits up to `patience` for another run to release the bus. Nothing when the folder cannot hold
    // the lock (Unavailable) or another run kept it (Busy).
    static std::optional<BusLock> acquire(const std::filesystem::path &folder, int bus, DdcClock &clock,
                                          std::chrono::milliseconds patience, Failure &failure);

    DdcClock::TimePoint quietUntil() const { return m_quietUntil; }
    // Written at once; the lock itself ends with the object.
    void setQuietUntil(DdcClock::TimePoint moment);

private:
    BusLock(UniqueFd fd, DdcClock::TimePoint quietUntil)
        : m_fd(std::move(fd))
        , m_quietUntil(quietUntil)
    {}

    UniqueFd m_fd;
    DdcClock::TimePoint m_quietUntil;
};

} // namespace lumvex::ddc
