// SPDX-License-Identifier: MIT
#pragma once

#include "ScreenReduction.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>
#include <utility>

namespace lumvex {

// The figures of a glance: the mean luminance and the dark and bright shares of one pixel in `step` x
// `step`, staggered (see glanceOf's body), with no thumbnail in between; only ever compared with another
// glance.
ScreenReduction glanceOf(const ImageView &image, int step = 1);

// Lets a capture leave out most full reads while the whole screen keeps changing (a video, a game,
// scrolling). On every tick it glances at the frame (a sparse sample, cheap to take); the last few full
// reads are remembered with the glance taken beside each. A glance within half the figures' accuracy
// bound of a remembered one (mean 0.005, dark and bright shares 0.01; the shrunk read takes at most the
// other half) gets that read's figures again, for up to two seconds. So a video is read in full at each
// cut and at least every two seconds, and a screen cycling through a few pictures reads each that often. A
// glance that matches none is read in full at once while reads average at most one every second tick
// (two may come in a row), so a jump in content is read on the tick it shows, and within 0.2 s even
// where every frame differs.
class GlanceMemory
{
public:
    static constexpr std::size_t kKept = 4;
    static constexpr int kMaxAgeTicks = 20;

    // Asked once per tick: the figures to give for a frame that looks like `glance`, or nothing when it
    // must be read in full.
    std::optional<ScreenReduction> recall(const ScreenReduction &glance)
    {
        advance();
        const auto alike = std::find_if(m_reads.begin(), m_reads.end(),
                                        [&](const Read &read) { return looksAlike(read.glance, glance); });
        if (alike != m_reads.end() && m_tick - alike->tick <= kMaxAgeTicks) {
            return alike->figures;
        }
        // Out of reads for now: the closest figures there are.
        if (m_credit < 1.0 && !m_reads.empty()) {
            return alike != m_reads.end() ? alike->figures : m_reads.front().figures;
        }
        return std::nullopt;
    }

    // The full read made on this tick, after recall gave nothing.
    void remember(const ScreenReduction &glance, const ScreenReduction &figures)
    {
        std::erase_if(m_reads, [&](const Read &read) { return looksAlike(read.glance, glance); });
        m_reads.push_front({glance, figures, m_tick});
        m_credit -= 1.0;
        if (m_reads.size() > kKept) {
            m_reads.pop_back();
        }
    }

    // A frame's figures on this tick. While the screen is busy (`glancing`), a glance at `frame` (one pixel
    // in `step` x `step`) may stand for a full read; otherwise `readFully()` gives them, remembered with
    // the glance.
    template<typename ReadFully>
    ScreenReduction figuresOf(const ImageView &frame, bool glancing, int step, ReadFully &&readFully)
    {
        if (!glancing) {
            return readFully();
        }
        const ScreenReduction glance = glanceOf(frame, step);
        if (std::optional<ScreenReduction> figures = recall(glance)) {
            return std::move(*figures);
        }
        ScreenReduction figures = readFully();
        remember(glance, figures);
        return figures;
    }

    // A tick that brought nothing to glance at.
    void skipTick() { advance(); }

    void clear() { m_reads.clear(); }

private:
    struct Read
    {
        ScreenReduction glance;
        ScreenReduction figures;
        long tick;
    };

    void advance()
    {
        ++m_tick;
        m_credit = std::min(kMostCredit, m_credit + 0.5);
    }

    static bool looksAlike(const ScreenReduction &a, const ScreenReduction &b)
    {
        return std::abs(a.meanLuminance - b.meanLuminance) <= 0.005 &&
               std::abs(a.signature.pctDark - b.signature.pctDark) <= 0.01 &&
               std::abs(a.signature.pctBright - b.signature.pctBright) <= 0.01;
    }

    std::deque<Read> m_reads; // newest first
    long m_tick = 0;
    // Full reads that may be made at once: half a read comes back every tick.
    static constexpr double kMostCredit = 2.0;
    double m_credit = kMostCredit;
};

} // namespace lumvex
