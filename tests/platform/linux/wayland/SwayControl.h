// SPDX-License-Identifier: MIT
#pragma once

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

} // namespace lumvex::test
