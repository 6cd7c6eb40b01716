// SPDX-License-Identifier: MIT
#include "StallProbe.h"

#include "platform/linux/Logging.h"

#include <sys/resource.h>

#include <algorithm>
#include <tuple>
#include <utility>

namespace lumvex {

namespace {

constexpr int kTickMs = 2;
// Holds up to one frame are not worth a line.
constexpr qint64 kFrameMs = 16;

// This thread's CPU time in ms and its voluntary context switches (waits) so far.
std::pair<double, long> threadUsage()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const double cpuMs =
        (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return {cpuMs, usage.ru_nvcsw};
}

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
    std::tie(m_cpuMs, m_waits) = threadUsage();
}

void StallProbe::tick()
{
    const qint64 held = m_lastTick.restart() - kTickMs;
    const auto [cpuMs, waits] = threadUsage();
    if (held > kFrameMs) {
        m_longestMs = std::max(m_longestMs, held);
        // The loop's own sleep before this tick is one wait.
        qCDebug(lcStall, "main thread held for %lld ms (%.1f ms on the CPU, %ld waits); longest so far %lld ms",
                static_cast<long long>(held), cpuMs - m_cpuMs, std::max(waits - m_waits - 1, 0L),
                static_cast<long long>(m_longestMs));
    }
    m_cpuMs = cpuMs;
    m_waits = waits;
}

void StallProbe::reportWork(const char *what, const QElapsedTimer &started)
{
    qCDebug(lcStall, "%s held the main thread for %.1f ms", what, static_cast<double>(started.nsecsElapsed()) / 1e6);
}

} // namespace lumvex
