// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ScreenCapture.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace lumvex {

// What a ScriptedScreenCapture answers, shared with the test that drives it from another thread.
class CaptureScript
{
public:
    // Every following capture gives this; nothing stands for a failed capture.
    void setResult(std::optional<ScreenReduction> result) { setResults({std::move(result)}); }
    // The following captures give these in turn, the last one again and again.
    void setResults(std::deque<std::optional<ScreenReduction>> results)
    {
        const std::lock_guard lock(m_mutex);
        m_results = std::move(results);
    }
    void setUnavailableReason(std::optional<std::string> reason)
    {
        const std::lock_guard lock(m_mutex);
        m_reason = std::move(reason);
    }
    // How long each capture takes.
    void setDuration(std::chrono::milliseconds duration)
    {
        const std::lock_guard lock(m_mutex);
        m_duration = duration;
    }

    int captures() const
    {
        const std::lock_guard lock(m_mutex);
        return m_captures;
    }
    int pauses() const
    {
        const std::lock_guard lock(m_mutex);
        return m_pauses;
    }
    // The most captures that ever ran at the same time.
    int maxOverlap() const
    {
        const std::lock_guard lock(m_mutex);
        return m_maxOverlap;
    }

private:
    friend class ScriptedScreenCapture;

    mutable std::mutex m_mutex;
    std::deque<std::optional<ScreenReduction>> m_results;
    std::optional<std::string> m_reason;
    std::chrono::milliseconds m_duration{0};
    int m_captures = 0;
    int m_pauses = 0;
    int m_running = 0;
    int m_maxOverlap = 0;
};

// A capture that answers what its script says, for tests of the capture's users.
class ScriptedScreenCapture final : public ScreenCapture
{
public:
    explicit ScriptedScreenCapture(std::shared_ptr<CaptureScript> script)
        : m_script(std::move(script))
    {}

    std::optional<ScreenReduction> captureAndReduce() override
    {
        std::chrono::milliseconds duration;
        {
            const std::lock_guard lock(m_script->m_mutex);
            ++m_script->m_captures;
            m_script->m_maxOverlap = std::max(m_script->m_maxOverlap, ++m_script->m_running);
            duration = m_script->m_duration;
        }
        std::this_thread::sleep_for(duration);
        const std::lock_guard lock(m_script->m_mutex);
        --m_script->m_running;
        auto &results = m_script->m_results;
        if (results.empty()) {
            return std::nullopt;
        }
        std::optional<ScreenReduction> result = results.front();
        if (results.size() > 1) {
            results.pop_front();
        }
        return result;
    }

    std::optional<std::string> unavailableReason() const override
    {
        const std::lock_guard lock(m_script->m_mutex);
        return m_script->m_reason;
    }

    void pause() override
    {
        const std::lock_guard lock(m_script->m_mutex);
        ++m_script->m_pauses;
    }

private:
    std::shared_ptr<CaptureScript> m_script;
};

} // namespace lumvex
