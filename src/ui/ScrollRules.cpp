// SPDX-License-Identifier: MIT
#include "ScrollRules.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace lumvex::scrollRules {

HostScroll hostForCommandLine(std::string_view commandLine)
{
    const std::string_view program = commandLine.substr(0, commandLine.find_first_of(std::string_view("\0 ", 2)));
    const std::size_t slash = program.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? program : program.substr(slash + 1);
    if (name == "plasmashell" || name == "kded5" || name == "kded6") {
        return {120, true, true};
    }
    if (name == "gnome-shell") {
        return {1, false, true};
    }
    if (name == "waybar") {
        return {2, false, true};
    }
    // xfce4-panel runs the status tray inside the panel or in its plugin wrapper
    // (/usr/lib/x86_64-linux-gnu/xfce4/panel/wrapper-2.0 ... systray ...).
    if (name == "xfce4-panel" || program.find("xfce4/panel/wrapper") != std::string_view::npos) {
        return {1, false, true};
    }
    return kUnknownHost;
}

double viewDelta(int delta, HostScroll host, bool invert)
{
    if (delta == 0 || host.unitsPerNotch <= 0) {
        return 0.0;
    }
    double up = static_cast<double>(delta) / host.unitsPerNotch;
    if (!host.upPositive) {
        up = -up;
    }
    if (invert && !host.known) {
        up = -up;
    }
    // Wheel up raises the level: a negative raw delta.
    return -up * kRawUnitsPerNotch;
}

bool isVertical(std::string_view orientation)
{
    std::string lower(orientation);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower == "vertical";
}

} // namespace lumvex::scrollRules
