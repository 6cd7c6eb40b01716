// SPDX-License-Identifier: MIT
#include "ContentSampler.h"

#include <algorithm>
#include <utility>

namespace lumvex {

ContentSampler::ContentSampler(std::unique_ptr<ScreenCapture> capture, PostToOwner postToOwner, const Clock &clock)
    : m_clock(clock)
    , m_captureIsNoticeable(capture->isNoticeable())
    , m_postToOwner(std::move(postToOwner))
    , m_self(std::make_shared<ContentSampler *>(this))
{
    // Started last: everything it reads is in place.
    m_worker = std::thread(&ContentSampler::run, this, std::move(capture), std::weak_ptr(m_self));
}

ContentSampler::~ContentSampler()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_worker.join();
    m_self.reset();
}

void ContentSampler::start()
{
    if (m_running) {
        return;
    }
    m_running = true;
    {
        const std::lock_guard lock(m_mutex);
        m_workerRuns = true;
        m_restarted = true;
    }
    m_wake.notify_all();
}

void ContentSampler::stop()
{
    if (!m_running) {
        return;
    }
    m_running = false;
    {
        const std::lock_guard lock(m_mutex);
        m_workerRuns = false;
    }
    m_wake.notify_all();
}

void ContentSampler::captureOnce()
{
    if (m_running) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_onceWanted = true;
    }
    m_wake.notify_all();
}

bool ContentSampler::hasFreshSample() const
{
    return m_lastSampleMonotonic && m_clock.monotonicSeconds() - *m_lastSampleMonotonic <= kFreshSeconds;
}

void ContentSampler::run(std::unique_ptr<ScreenCapture> capture, std::weak_ptr<ContentSampler *> self)
{
    using std::chrono::steady_clock;
    std::optional<std::string> reportedReason;
    steady_clock::time_point due;
    bool captured = false;
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_workerRuns) {
            if (std::exchange(m_onceWanted, false)) {
                lock.unlock();
                sampleOnce(*capture, self, reportedReason, true);
                captured = true;
                lock.lock();
                continue;
            }
            if (std::exchange(captured, false)) {
                lock.unlock();
                capture->pause();
                lock.lock();
                continue;
            }
            m_wake.wait(lock);
            continue;
        }
        if (std::exchange(m_restarted, false)) {
            due = steady_clock::now();
        }
        if (steady_clock::now() < due) {
            m_wake.wait_until(lock, due);
            continue;
        }
        lock.unlock();
        sampleOnce(*capture, self, reportedReason);
        captured = true;
        lock.lock();
        // Ticks that fell due while capturing merge into one, taken at once.
        due = std::max(due + kPeriod, steady_clock::now());
    }
    // The capture ends on the thread that used it.
    lock.unlock();
    capture.reset();
}

void ContentSampler::sampleOnce(ScreenCapture &capture, const std::weak_ptr<ContentSampler *> &self,
                                std::optional<std::string> &reportedReason, bool alone)
{
    std::optional<ScreenReduction> reduction = capture.captureAndReduce();
    if (!reduction) {
        std::optional<std::string> reason = capture.unavailableReason();
        if (reason && reason != reportedReason) {
            reportedReason = reason;
            m_postToOwner([self, reason = std::move(*reason)]() mutable {
                if (const auto sampler = self.lock()) {
                    (*sampler)->reportUnavailable(std::move(reason));
                }
            });
        }
        return;
    }
    reportedReason.reset();
    if (!m_captureGrid) {
        reduction->grid.clear();
    }
    m_postToOwner([self, reduction = std::move(*reduction), alone]() mutable {
        if (const auto sampler = self.lock()) {
            (*sampler)->apply(std::move(reduction), alone);
        }
    });
}

void ContentSampler::apply(ScreenReduction reduction, bool alone)
{
    if (alone || (m_lastSampleMonotonic && !hasFreshSample())) {
        m_filters.restart(reduction.meanLuminance, reduction.signature);
    } else {
        m_filters.apply(reduction.meanLuminance, reduction.signature);
    }
    m_grid = std::move(reduction.grid);
    m_lastSampleAt = m_clock.now();
    m_lastSampleMonotonic = m_clock.monotonicSeconds();
    m_unavailableReason.reset();
    if (onSample) {
        onSample(m_filters.rawLuminance());
    }
    if (onFiltered) {
        onFiltered(m_filters.slowLuminance(), m_filters.fastLuminance());
    }
}

void ContentSampler::reportUnavailable(std::string reason)
{
    m_unavailableReason = std::move(reason);
    if (onUnavailable) {
        onUnavailable(*m_unavailableReason);
    }
}

} // namespace lumvex
