// SPDX-License-Identifier: MIT
#pragma once

#include "XcbConnection.h"

#include <QTimer>

#include <chrono>
#include <functional>

namespace lumvex {

// Reports pointer movement anywhere on the desktop, whichever window has it, from XInput2 raw motion
// on the root window. Bursts are folded: the callback runs at most once per minInterval, always once
// more after the last movement, on the thread that made the monitor. Needs Qt's event loop there.
class X11PointerMonitor
{
public:
    explicit X11PointerMonitor(std::function<void()> onMotion,
                               std::chrono::milliseconds minInterval = std::chrono::milliseconds(16));
    X11PointerMonitor(const X11PointerMonitor &) = delete;
    X11PointerMonitor &operator=(const X11PointerMonitor &) = delete;

    // Whether the server accepted the watch; without it the callback never runs.
    bool isActive() const { return m_active && m_x.isOpen(); }

private:
    void handleEvent(const xcb_generic_event_t &event);
    void report();

    XcbConnection m_x;
    std::function<void()> m_onMotion;
    const std::chrono::milliseconds m_minInterval;
    std::uint8_t m_xinputOpcode = 0;
    bool m_active = false;
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_lastReport;
};

} // namespace lumvex
