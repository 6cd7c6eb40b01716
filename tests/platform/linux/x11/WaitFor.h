#pragma once

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <thread>

namespace lumvex::test {

// Runs Qt's event loop until the condition holds or the deadline passes; returns the condition.
inline bool waitFor(const std::function<bool()> &condition,
                    std::chrono::milliseconds deadline = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Runs Qt's event loop for a while, to let whatever is due happen.
inline void spin(std::chrono::milliseconds duration)
{
    waitFor([] { return false; }, duration);
}

} // namespace lumvex::test
