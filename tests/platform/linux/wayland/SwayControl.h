// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace lumvex::test {

// Commands to the private sway that run-with-sway.sh started, through swaymsg.
class SwayControl
{
public:
    // True when sway accepted the command.
    static bool command(const std::string &command) { return std::system(("swaymsg -q -- " + command).c_str()) == 0; }

    // A solid background on every output, as "#rrggbb".
    static bool setBackground(const std::string &colour)
    {
        return command("output '*' bg '" + colour + "' solid_color");
    }

    static bool hasOutput(const std::string &name)
    {
        return std::system(("swaymsg -t get_outputs -r | grep -q '\"name\": \"" + name + "\"'").c_str()) == 0;
    }

    // One more headless output, HEADLESS-2 and so on, at 1920x1080.
    static bool createOutput() { return command("create_output"); }
};

// Calls `step` until it returns true or the deadline passes; returns whether it did.
inline bool retryUntil(const std::function<bool()> &step, std::chrono::milliseconds deadline = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!step()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace lumvex::test
