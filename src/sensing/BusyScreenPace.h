// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>

namespace lumvex {

// The capture rate while the whole screen keeps changing (a video, a game, long scrolling): after
// kSettleTicks ticks in a row that each found most of the screen drawn on, every second tick is left
// out and gives the figures of the one before, so frames are read 5 times a second instead of 10.
// A jump in content is still read within two ticks (0.2 s); the loop's fast track may want one more
// sample of it, so it fires within 0.3 s (every third tick would make that 0.4 s). The first tick
// that finds less drawn brings back the full rate.
class BusyScreenPace
{
public:
    static constexpr int kSettleTicks = 30;

    // Whether this tick may be left out; asked once per tick.
    bool skipsTick()
    {
        if (!isSettled()) {
            return false;
        }
        m_skipped = !m_skipped;
        return m_skipped;
    }

    bool isSettled() const { return m_busyTicks >= kSettleTicks; }

    // What a tick that was not left out found.
    void noteTick(bool mostDrawnOn) { m_busyTicks = mostDrawnOn ? std::min(m_busyTicks + 1, kSettleTicks) : 0; }

private:
    int m_busyTicks = 0;
    bool m_skipped = false;
};

} // namespace lumvex
