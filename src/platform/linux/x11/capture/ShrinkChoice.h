// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <chrono>

namespace lumvex {

// Whether a mostly redrawn frame costs less read at full size or shrunk by the X server first. That
// depends on the server: with a GPU (glamor) a frame read back from video memory costs far more than
// one shrunk there first; a server that draws in memory (Xvfb, no acceleration) shrinks on the CPU,
// and there a plain copy costs less. So both ways are timed, the request and the reduction together,
// and the cheaper kept; the other is tried again now and then, as the frames and the load change.
class ShrinkChoice
{
public:
    static constexpr int kFirstTries = 3;
    static constexpr int kRetryEvery = 50;

    bool shrinks() const
    {
        if (m_tries[0] < kFirstTries || m_tries[1] < kFirstTries) {
            return m_tries[1] <= m_tries[0];
        }
        const bool cheaper = m_cost[1] < m_cost[0];
        return m_decided % kRetryEvery == kRetryEvery - 1 ? !cheaper : cheaper;
    }

    void note(bool shrunk, std::chrono::steady_clock::duration took)
    {
        const double ms = std::chrono::duration<double, std::milli>(took).count();
        const auto way = static_cast<std::size_t>(shrunk);
        // A running mean that forgets over some ten frames.
        m_cost[way] = m_tries[way] == 0 ? ms : 0.8 * m_cost[way] + 0.2 * ms;
        ++m_tries[way];
        if (m_tries[0] >= kFirstTries && m_tries[1] >= kFirstTries) {
            ++m_decided;
        }
    }

private:
    std::array<double, 2> m_cost{}; // milliseconds: full size, shrunk
    std::array<int, 2> m_tries{};
    int m_decided = 0;
};

} // namespace lumvex
