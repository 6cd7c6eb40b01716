// SPDX-License-Identifier: MIT
#include "LeaveUserLevel.h"

#include "engine/CompensationLoop.h"
#include "platform/linux/backlight/SysfsBacklight.h"

#include <cmath>

namespace lumvex {

namespace {

// The panel reads back the level last written while it holds the step written; only float rounding is left.
constexpr double kExactly = 1e-6;
constexpr int kQuitBudgetMs = 500;

} // namespace

std::optional<double> userLevelToRestore(double panel, const CompensationLoop &loop)
{
    // Anything but the loop's own last write, even one step from it, is someone's choice: a key press
    // the poll has not seen yet must stand.
    const std::optional<double> own = loop.lastOwnWrite();
    if (!loop.enabled() || loop.paused() || !own || std::abs(panel - *own) > kExactly ||
        std::abs(panel - loop.manualBrightness()) <= kExactly) {
        return std::nullopt;
    }
    return loop.manualBrightness();
}

void leaveUserLevel(SysfsBacklight &backlight, const CompensationLoop &loop)
{
    if (!backlight.isAvailable()) {
        return;
    }
    const std::optional<double> panel = backlight.get();
    if (!panel) {
        return;
    }
    if (const auto level = userLevelToRestore(*panel, loop)) {
        backlight.setLogindTimeout(kQuitBudgetMs);
        backlight.set(*level);
    }
}

} // namespace lumvex
