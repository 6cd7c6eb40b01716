// SPDX-License-Identifier: MIT
#pragma once

#include "BrightnessController.h"
#include "WriteRation.h"

#include <functional>
#include <optional>
#include <string>

namespace lumvex {

class Clock;

// The loop's writes to a monitor it drives over DDC/CI, under a WriteRation. The loop walks in small steps
// many times a second; the monitor shows that walk in steps of two points or more, at most every two
// seconds. A level the ration holds back is taken (set() is true): the monitor shows it to within the
// ration, and settle() writes it once the ration allows. Reads give the taken level while the monitor
// still shows what was last written or found; a level someone else set there reads as it is and drops
// what was held. Once the day's writes are used up, set() refuses until the next local day.
class RationedBrightness final : public BrightnessController
{
public:
    // `display` holds levels on a 0...`scale` scale (100 for DDC/CI's brightness).
    RationedBrightness(BrightnessController &display, const Clock &clock, int scale = 100);

    std::optional<double> get() override;
    [[nodiscard]] bool set(double value) override;
    std::optional<std::string> writeProblem() const override { return m_problem; }
    bool isAvailable() const override { return m_display.isAvailable(); }

    // Writes the held level when it is far enough from the shown one and the ration allows; call it
    // regularly (the loop stops asking once it holds its aim).
    void settle();

    bool usedUpToday() const;
    int writesToday() const;
    // Today's count as kept across a restart.
    void restoreWritesToday(int writes);
    // After each write that counted, with today's count, to keep it.
    std::function<void(int)> onWrite;

private:
    int points(double level) const;
    // The monitor's level; drops the held one when someone else moved it.
    std::optional<double> read();
    bool writeHeld();

    BrightnessController &m_display;
    const Clock &m_clock;
    const int m_scale;
    WriteRation m_ration;
    // What the loop asked for, and the points the monitor showed (or was given) for it.
    std::optional<double> m_held;
    int m_shown = 0;
    std::optional<std::string> m_problem;
};

} // namespace lumvex
