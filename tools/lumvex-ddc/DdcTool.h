// SPDX-License-Identifier: MIT
#pragma once

#include "DdcClock.h"
#include "DdcTimings.h"
#include "DrmConnectors.h"
#include "I2cTransport.h"
#include "X11Monitors.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace lumvex::ddc {

// Everything the command line reaches outside itself, so that it runs against fakes in tests.
struct ToolContext
{
    DdcClock &clock;
    // The X server's monitors; nothing when no X server answers.
    std::function<std::optional<std::vector<X11Monitor>>()> monitors;
    std::function<std::vector<DrmConnector>()> connectors;
    std::function<OpenedBus(const std::filesystem::path &device)> openBus;
    // The group owning a device node, for the hint when it cannot be opened.
    std::function<std::optional<std::string>(const std::filesystem::path &device)> deviceGroup;
    DdcTimings timings;
    // Device nodes are looked up under root/dev.
    std::filesystem::path root{"/"};
    // Where the per-bus lock files live; without it runs are not serialised and the pause after a
    // setting is slept before exiting.
    std::optional<std::filesystem::path> lockFolder;
    // A connector to use for every display id instead of asking the X server.
    std::optional<std::string> connectorOverride;
    // In a Wayland session display ids come from connector names (outputNameId), not from an X server.
    bool waylandSession = false;
};

// Runs one command line (without the program name): `display id=N get luminance`,
// `display id=N set luminance P`, `list` or `--help`. Results go to `out`, failures to `err` as one
// line each. Returns the exit status: 0, 1 when the display cannot be reached, 2 for a bad command line.
int runTool(const std::vector<std::string> &args, ToolContext &context, std::ostream &out, std::ostream &err);

} // namespace lumvex::ddc
