// SPDX-License-Identifier: MIT
#pragma once

#include "DrmConnectors.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::ddc {

// What the display server tells about the connector a display is shown on.
struct DisplayIdentity
{
    // Output names, most specific first ("HDMI-1", then the monitor's own name).
    std::vector<std::string> names;
    std::vector<std::uint8_t> edid;
    // The kernel's connector object id, where the X driver reports it.
    std::optional<std::uint32_t> connectorId;
};

// The kernel connector names that an X output name can stand for. X drivers name outputs their own
// way: "HDMI-1" or "HDMI1" for the kernel's HDMI-A-1, "DisplayPort-0" (counted from 0) for DP-1.
std::vector<std::string> kernelNamesFor(std::string_view outputName);

// The connected connector that shows the display: the one with its connector id, else the one with
// its EDID, else the one its names stand for. Each step only narrows the choice, so two identical
// monitors (same EDID) are told apart by name. Nothing when no single connector fits.
std::optional<std::size_t> matchConnector(const DisplayIdentity &display, const std::vector<DrmConnector> &connectors);

} // namespace lumvex::ddc
