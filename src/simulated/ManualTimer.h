// SPDX-License-Identifier: MIT
#pragma once

#include "telemetry/RepeatingTimer.h"

#include <utility>

namespace lumvex {

// A timer that fires only when told to: drives tests on a manual clock.
class ManualTimer final : public RepeatingTimer
{
public:
    void start(std::chrono::milliseconds interval, std::function<void()> action) override
    {
        m_interval = interval;
        m_action = std::move(action);
    }
    void stop() override { m_action = nullptr; }
    bool isActive() const override { return static_cast<bool>(m_action); }

    std::chrono::milliseconds interval() const { return m_interval; }
    // Runs the action once, as the interval passing would; nothing while stopped.
    void fire()
    {
        if (m_action) {
            m_action();
        }
    }

private:
    std::chrono::milliseconds m_interval{0};
    std::function<void()> m_action;
};

} // namespace lumvex
