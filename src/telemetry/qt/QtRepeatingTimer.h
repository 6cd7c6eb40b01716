// SPDX-License-Identifier: MIT
#pragma once

#include "telemetry/RepeatingTimer.h"

#include <QTimer>

namespace lumvex {

// A repeating timer on Qt's event loop of the thread that made it. Qt also delivers timers inside the
// nested loop of an open menu.
class QtRepeatingTimer final : public RepeatingTimer
{
public:
    QtRepeatingTimer();

    void start(std::chrono::milliseconds interval, std::function<void()> action) override;
    void stop() override;
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_action;
};

} // namespace lumvex
