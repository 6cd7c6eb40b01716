// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <optional>
#include <string>

namespace lumvex {

// The built-in display's brightness, 0...1. A failed read gives no level (0.0 is a real one, and the poll
// would take it for a change to black); a failed write says so, and nothing may take its level as shown.
class BrightnessController
{
public:
    virtual ~BrightnessController() = default;

    virtual std::optional<double> get() = 0;
    // Whether the panel took the level.
    [[nodiscard]] virtual bool set(double value) = 0;
    // Why the last write failed, in one line; nothing once a write has succeeded since.
    virtual std::optional<std::string> writeProblem() const { return std::nullopt; }

    // False when there is no display to drive at all (a desktop without a backlight).
    virtual bool isAvailable() const { return true; }

    // Moves the level by delta from what get() reads; returns the level asked for, within 0...1. Nothing
    // without a reading (there is nothing to move from) or when the panel refused the level.
    std::optional<double> adjust(double delta)
    {
        const std::optional<double> current = get();
        if (!current) {
            return std::nullopt;
        }
        const double next = std::clamp(*current + delta, 0.0, 1.0);
        if (!set(next)) {
            return std::nullopt;
        }
        return next;
    }
};

} // namespace lumvex
