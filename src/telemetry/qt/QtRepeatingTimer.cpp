// SPDX-License-Identifier: MIT
#include "QtRepeatingTimer.h"

namespace lumvex {

QtRepeatingTimer::QtRepeatingTimer()
{
    m_timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // A copy: the action may restart or stop this timer.
        if (const auto action = m_action) {
            action();
        }
    });
}

void QtRepeatingTimer::start(std::chrono::milliseconds interval, std::function<void()> action)
{
    m_action = std::move(action);
    m_timer.start(interval);
}

void QtRepeatingTimer::stop()
{
    m_timer.stop();
    m_action = nullptr;
}

} // namespace lumvex
