// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace lumvex {

// Tells developers how long the main thread is held (the tray, the menu and the bus wait meanwhile). Only
// while the "lumvex.stall" category's debug messages are on (QT_LOGGING_RULES="lumvex.stall.debug=true"):
// a timer every 2 ms notes how late it fires and reports each hold over a frame (16 ms), with the thread's own CPU
// time and voluntary waits in it: a hold with neither is the machine's load, not ours. Off, it costs nothing.
class StallProbe : public QObject
{
public:
    explicit StallProbe(QObject *parent = nullptr);

    // Reports one piece of work on the main thread that its caller timed.
    static void reportWork(const char *what, const QElapsedTimer &started);

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_lastTick;
    qint64 m_longestMs = 0;
    double m_cpuMs = 0.0;
    long m_waits = 0;
};

} // namespace lumvex
