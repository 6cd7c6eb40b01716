// SPDX-License-Identifier: MIT
#include "StallProbe.h"

#include "platform/linux/Logging.h"

namespace lumvex {

namespace {

constexpr int kTickMs = 2;

} // namespace

StallProbe::StallProbe(QObject *parent)
    : QObject(parent)
{
    if (!lcStall().isDebugEnabled()) {
        return;
    }
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &StallProbe::tick);
    m_timer.start();
    m_lastTick.start();
}

void StallProbe::tick()
{
    const qint64 held = m_lastTick.restart() - kTickMs;
    if (held > m_longestMs) {
        m_longestMs = held;
        qCDebug(lcStall, "main thread held for %lld ms, the longest since start", static_cast<long long>(held));
    }
}

void StallProbe::reportWork(const char *what, const QElapsedTimer &started)
{
    qCDebug(lcStall, "%s held the main thread for %.1f ms", what, static_cast<double>(started.nsecsElapsed()) / 1e6);
}

} // namespace lumvex
