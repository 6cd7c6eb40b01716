// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <optional>

namespace lumvex {

// The built-in display's brightness, 0...1. A failed read gives no level (0.0 is a real one, and the poll
// would take it for a change to black); a failed write is dropped, and the caller corrects on its next pass.
class BrightnessController
{
public:
    virtual ~BrightnessController() = default;

    virtual std::optional<double> get() = 0;
    virtual void set(double value) = 0;

    // False when there is no display to drive at all (a desktop without a backlight).
    virtual bool isAvailable() const { return true; }

    // Moves the level by delta from what get() reads; returns the level asked for, within 0...1. Without a
    // reading nothing is written: there is nothing to move from.
    std::optional<double> adjust(double delta)
    {
        const std::optional<double> current = get();
        if (!current) {
            return std::nullopt;
        }
        const double next = std::clamp(*current + delta, 0.0, 1.0);
        set(next);
        return next;
    }
};

} // namespace lumvex
