// SPDX-License-Identifier: MIT
#include "MonitorRules.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lumvex {

bool isBuiltInMonitorName(std::string_view name)
{
    constexpr std::array<std::string_view, 3> kPanelConnectors{"edp", "lvds", "dsi"};
    return std::ranges::any_of(kPanelConnectors, [name](std::string_view prefix) {
        return name.size() >= prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), name.begin(),
                          [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    });
}

std::optional<std::size_t> mainMonitorIndex(const std::vector<MonitorGeometry> &monitors)
{
    if (monitors.empty()) {
        return std::nullopt;
    }
    const auto primary = std::ranges::find_if(monitors, &MonitorGeometry::primary);
    if (primary != monitors.end()) {
        return static_cast<std::size_t>(primary - monitors.begin());
    }
    const auto atOrigin = std::ranges::find_if(monitors, [](const MonitorGeometry &m) {
        return m.x <= 0 && 0 < m.x + m.width && m.y <= 0 && 0 < m.y + m.height;
    });
    if (atOrigin != monitors.end()) {
        return static_cast<std::size_t>(atOrigin - monitors.begin());
    }
    return 0;
}

Rect desktopFrame(const MonitorGeometry &monitor, int rootHeight)
{
    return {static_cast<double>(monitor.x), static_cast<double>(rootHeight - (monitor.y + monitor.height)),
            static_cast<double>(monitor.width), static_cast<double>(monitor.height)};
}

Point desktopPoint(int rootX, int rootY, int rootHeight)
{
    return {rootX + 0.5, rootHeight - (rootY + 0.5)};
}

} // namespace lumvex
