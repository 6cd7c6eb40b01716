// SPDX-License-Identifier: MIT
#pragma once

#include "SampleFilters.h"
#include "ScreenCapture.h"
#include "base/Clock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace lumvex {

// Watches what one display shows. While running, a worker thread of its own captures and reduces the
// display every 100 ms, one capture at a time; the figures are smoothed and reported on the owner's
// thread, the only thread that touches the accessors and callbacks. The owner says how work reaches
// its thread, normally through its event loop.
class ContentSampler
{
public:
    // Runs a task on the owner's thread later, tasks in the order posted; called from the worker.
    using PostToOwner = std::function<void(std::function<void()>)>;

    static constexpr std::chrono::milliseconds kPeriod{100};
    // Figures older than this describe a screen that is no longer there: the next sample starts afresh.
    static constexpr double kFreshSeconds = 2.0;

    // The capture decides which display is watched; it is used on the worker thread only. `clock`
    // stamps the samples and must outlive the sampler.
    ContentSampler(std::unique_ptr<ScreenCapture> capture, PostToOwner postToOwner, const Clock &clock);
    // Waits for a capture in progress; samples not yet applied are dropped.
    ~ContentSampler();
    ContentSampler(const ContentSampler &) = delete;
    ContentSampler &operator=(const ContentSampler &) = delete;

    // Captures at once, then every period; does nothing while running.
    void start();
    // Stops further captures and lets the capture pause; figures already captured are still applied.
    void stop();
    bool isRunning() const { return m_running; }
    // While stopped, takes one capture soon, reported like any other; does nothing while running.
    void captureOnce();
    // Whether a capture may ask the user or show that the screen is shared (ScreenCapture::isNoticeable).
    bool captureIsNoticeable() const { return m_captureIsNoticeable; }

    double rawLuminance() const { return m_filters.rawLuminance(); }
    double slowLuminance() const { return m_filters.slowLuminance(); }
    double fastLuminance() const { return m_filters.fastLuminance(); }
    ContentSignature smoothedSignature() const { return m_filters.smoothedSignature(); }
    ContentSignature latestSignature() const { return m_filters.latestSignature(); }
    // The 4 x 4 grid of the latest sample, or empty when it was taken without one.
    const std::vector<double> &gridLuminances() const { return m_grid; }
    std::optional<Timestamp> lastSampleAt() const { return m_lastSampleAt; }
    // Whether the latest sample is at most kFreshSeconds old, on the monotonic clock.
    bool hasFreshSample() const;
    // Why capture cannot work in this session, once the capture has said so; cleared by a sample.
    const std::optional<std::string> &unavailableReason() const { return m_unavailableReason; }

    bool captureGrid() const { return m_captureGrid; }
    // Takes effect with the next capture.
    void setCaptureGrid(bool enabled) { m_captureGrid = enabled; }

    // The raw luminance of every sample, after the figures are updated.
    std::function<void(double L)> onSample;
    // The smoothed luminances after every sample, after onSample.
    std::function<void(double L_slow, double L_fast)> onFiltered;
    // Once when the capture finds that it cannot work in this session, with a line for the user.
    std::function<void(const std::string &reason)> onUnavailable;

private:
    // Worker thread.
    void run(std::unique_ptr<ScreenCapture> capture, std::weak_ptr<ContentSampler *> self);
    void sampleOnce(ScreenCapture &capture, const std::weak_ptr<ContentSampler *> &self,
                    std::optional<std::string> &reportedReason, bool alone = false);

    // Owner thread.
    // A sample taken alone, or after figures have gone stale, starts the filters afresh.
    void apply(ScreenReduction reduction, bool alone);
    void reportUnavailable(std::string reason);

    const Clock &m_clock;
    const bool m_captureIsNoticeable;
    const PostToOwner m_postToOwner;
    SampleFilters m_filters;
    std::vector<double> m_grid;
    std::optional<Timestamp> m_lastSampleAt;
    std::optional<double> m_lastSampleMonotonic;
    std::optional<std::string> m_unavailableReason;
    bool m_running = false;

    // Shared with the worker.
    std::atomic<bool> m_captureGrid = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_workerRuns = false;
    bool m_restarted = false;
    bool m_onceWanted = false;
    bool m_quit = false;

    // Posted tasks hold it weakly: once the sampler is gone they find nothing and do nothing.
    std::shared_ptr<ContentSampler *> m_self;
    std::thread m_worker;
};

} // namespace lumvex
