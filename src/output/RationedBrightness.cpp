// SPDX-License-Identifier: MIT
#include "RationedBrightness.h"

#include "base/Clock.h"
#include "base/Translation.h"

#include <algorithm>
#include <cmath>

namespace lumvex {

RationedBrightness::RationedBrightness(BrightnessController &display, const Clock &clock, int scale)
    : m_display(display)
    , m_clock(clock)
    , m_scale(std::max(scale, 1))
{}

int RationedBrightness::points(double level) const
{
    return static_cast<int>(std::lround(std::clamp(level, 0.0, 1.0) * m_scale));
}

std::optional<double> RationedBrightness::read()
{
    const std::optional<double> level = m_display.get();
    if (level && m_held && points(*level) != m_shown) {
        m_held.reset();
    }
    return level;
}

std::optional<double> RationedBrightness::get()
{
    const std::optional<double> level = read();
    return m_held && level ? m_held : level;
}

bool RationedBrightness::set(double value)
{
    if (!std::isfinite(value)) {
        return false;
    }
    const std::optional<double> level = read();
    if (!level) {
        return false;
    }
    const int from = points(*level);
    if (usedUpToday()) {
        m_held.reset();
        m_problem = i18n::arg(i18n::translate("Output", "the day's %1 writes are used up"),
                              {std::to_string(WriteRation::kDailyLimit)});
        return false;
    }
    m_held = std::clamp(value, 0.0, 1.0);
    m_shown = from;
    if (m_ration.check(from, points(*m_held), m_clock.monotonicSeconds(), m_clock.localNow().date) !=
        WriteRation::Verdict::write) {
        return true; // shown to within the ration, or written by settle()
    }
    return writeHeld();
}

void RationedBrightness::settle()
{
    if (!m_held) {
        return;
    }
    const std::optional<double> level = read();
    if (level && m_held &&
        m_ration.check(points(*level), points(*m_held), m_clock.monotonicSeconds(), m_clock.localNow().date) ==
            WriteRation::Verdict::write) {
        writeHeld();
    }
}

bool RationedBrightness::writeHeld()
{
    const int to = points(*m_held);
    // Counted whether or not the monitor took it: a refusing monitor must not be asked 10 times a second.
    m_ration.wrote(m_clock.monotonicSeconds(), m_clock.localNow().date);
    if (onWrite) {
        onWrite(writesToday());
    }
    if (!m_display.set(static_cast<double>(to) / m_scale)) {
        m_held.reset();
        m_problem = m_display.writeProblem().value_or(i18n::translate("Output", "the monitor did not take the level"));
        return false;
    }
    m_shown = to;
    m_problem.reset();
    return true;
}

bool RationedBrightness::usedUpToday() const
{
    return m_ration.usedUp(m_clock.localNow().date);
}

void RationedBrightness::restoreWritesToday(int writes)
{
    m_ration.restore(m_clock.localNow().date, std::clamp(writes, 0, WriteRation::kDailyLimit));
}

int RationedBrightness::writesToday() const
{
    return m_ration.writesOn(m_clock.localNow().date);
}

} // namespace lumvex
