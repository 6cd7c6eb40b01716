// SPDX-License-Identifier: MIT
#include "LeaveUserLevel.h"

#include "engine/CompensationLoop.h"
#include "platform/linux/backlight/SysfsBacklight.h"

#include <cmath>

namespace lumvex {

namespace {

// Within a raw step or two of what the loop wrote: still the loop's level.
constexpr double kSameLevel = 0.01;
constexpr int kQuitBudgetMs = 500;

} // namespace

std::optional<double> userLevelToRestore(double panel, const CompensationLoop &loop)
{
    if (!loop.enabled() || loop.paused() || std::abs(panel - loop.currentBrightness()) > kSameLevel ||
        std::abs(panel - loop.manualBrightness()) <= kSameLevel / 2) {
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
