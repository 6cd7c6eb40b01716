// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <thread>

namespace lumvex::test {

// Asks until the condition holds or the deadline passes; returns the condition. For tests without an
// event loop; those with one use QTest::qWaitFor.
template<typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds deadline = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace lumvex::test
