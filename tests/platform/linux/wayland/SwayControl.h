// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/wayland/WaylandDisplayServices.h"
#include "support/Eventually.h"

#include <cstdlib>
#include <string>

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

// Waits until the compositor has shown `count` outputs.
inline bool hasOutputs(WaylandDisplayServices &displays, std::size_t count)
{
    return eventually([&] { return displays.onlineDisplays().value_or(std::vector<DisplayId>{}).size() == count; });
}

} // namespace lumvex::test
