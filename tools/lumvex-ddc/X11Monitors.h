// SPDX-License-Identifier: MIT
#pragma once

#include "ConnectorMatch.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumvex::ddc {

struct X11Output
{
    std::string name;
    std::vector<std::uint8_t> edid;
    std::optional<std::uint32_t> connectorId;
};

// A RandR monitor. Its id is its name atom: the display id that Lumvex passes to the tool.
struct X11Monitor
{
    std::uint32_t id = 0;
    std::string name;
    std::vector<X11Output> outputs;
};

// The active monitors of the X server that DISPLAY names; nothing when no X server with RandR 1.5
// answers.
std::optional<std::vector<X11Monitor>> readX11Monitors();

// What tells the monitor's connector: its first output's name, EDID and connector id, then its own
// name (a monitor defined without outputs is known by that alone).
DisplayIdentity identityOf(const X11Monitor &monitor);

} // namespace lumvex::ddc
