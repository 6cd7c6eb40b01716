// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>

namespace lumvex {

// Runs an action again and again on the owner's thread until stopped; also while a menu is open.
class RepeatingTimer
{
public:
    virtual ~RepeatingTimer() = default;

    // Starts anew, replacing any earlier action.
    virtual void start(std::chrono::milliseconds interval, std::function<void()> action) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

} // namespace lumvex
