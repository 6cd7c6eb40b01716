// SPDX-License-Identifier: MIT
#pragma once

#include "DdcChannel.h"
#include "DrmConnectors.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace lumvex::ddc {

// What the tool says to people: one line per failure, naming the device and what to do about it.

std::string helpText();
std::string usageError(const std::string &problem);

std::string noXServerError(std::uint32_t display);
std::string noSuchDisplayError(std::uint32_t display);
// In a Wayland session, where ids come from connector names.
std::string noSuchOutputError(std::uint32_t display);
std::string noConnectorError(std::uint32_t display, const std::string &monitorName);
std::string unknownConnectorError(const std::string &name);
std::string noBusError(const DrmConnector &connector);

// `group` is the device node's owning group, when known.
std::string openError(const std::filesystem::path &device, std::error_code error, bool addressRefused,
                      const std::optional<std::string> &group);
std::string busyError(const std::filesystem::path &device);
std::string ddcError(const DdcOutcome &outcome, const DrmConnector &connector, const std::filesystem::path &device);
std::string zeroMaximumError(const DrmConnector &connector, const std::filesystem::path &device);

} // namespace lumvex::ddc
