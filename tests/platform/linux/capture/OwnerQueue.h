// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ContentSampler.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace lumvex::test {

// The owner's thread as a queue of posted tasks that the test runs by hand.
class OwnerQueue
{
public:
    ContentSampler::PostToOwner poster()
    {
        return [this](std::function<void()> task) {
            {
                const std::lock_guard lock(m_mutex);
                m_tasks.push_back(std::move(task));
            }
            m_posted.notify_all();
        };
    }

    // Runs posted tasks as they come until the condition holds; false when the deadline passes first.
    // The condition is also looked at between tasks, for things that happen on other threads.
    bool runUntil(const std::function<bool()> &condition, std::chrono::milliseconds deadline = std::chrono::seconds(5))
    {
        const auto end = std::chrono::steady_clock::now() + deadline;
        while (!condition()) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= end) {
                return false;
            }
            std::function<void()> task;
            {
                std::unique_lock lock(m_mutex);
                if (!m_posted.wait_until(lock, std::min(end, now + std::chrono::milliseconds(5)),
                                         [this] { return !m_tasks.empty(); })) {
                    continue;
                }
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task();
        }
        return true;
    }

    // Waits until at least `count` tasks are queued, without running them.
    bool waitForPending(std::size_t count, std::chrono::milliseconds deadline = std::chrono::seconds(5))
    {
        std::unique_lock lock(m_mutex);
        return m_posted.wait_for(lock, deadline, [&] { return m_tasks.size() >= count; });
    }

    void runPending()
    {
        std::deque<std::function<void()>> tasks;
        {
            const std::lock_guard lock(m_mutex);
            tasks.swap(m_tasks);
        }
        for (auto &task : tasks) {
            task();
        }
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

} // namespace lumvex::test
