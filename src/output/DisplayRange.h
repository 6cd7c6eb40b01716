// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex {

// Where a linked display's level lies for the built-in panel's 0 % and 100 %: monitors differ, one's
// 30 % is not another's. Levels are 0...1; `low` is below `high` by at least kNarrowest.
struct DisplayRange
{
    static constexpr double kNarrowest = 0.01;

    double low = 0.0;
    double high = 1.0;

    // The display's level for the shared level, which is limited to 0...1 first.
    double levelFor(double shared) const;
    // The shared level that gives the display's level; levels outside the range give its ends.
    double sharedFor(double level) const;

    // Nothing when the range may be used, else why not, worded for people.
    std::optional<std::string> problem() const;
    // "10%-80%", whole percentages where they are whole.
    std::string text() const;

    bool operator==(const DisplayRange &) const = default;
};

// "10%-80%" or "10-80" (the % signs are optional, fractions allowed): the range, or why it is none.
struct ParsedRange
{
    std::optional<DisplayRange> range;
    std::string problem;
};
ParsedRange parseDisplayRange(std::string_view text);

// What tells one monitor from another across connectors, cables and docks: the maker, product code and
// serial number of its EDID ("DEL-A0B4-3130304C"), and its own name where the EDID gives one.
struct MonitorIdentity
{
    std::string key;
    std::string name;
};
// Nothing for bytes that are no EDID (too short or without its header).
std::optional<MonitorIdentity> monitorIdentity(const std::vector<std::uint8_t> &edid);

// The EDID the kernel reads from the monitor on that connector ("DP-2" or "card0-DP-2"), under
// root/sys/class/drm; nothing when no connected connector of that name has one.
std::optional<std::vector<std::uint8_t>> connectorEdid(const std::filesystem::path &root, std::string_view connector);

} // namespace lumvex
