#include "ScrollRules.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace lumvex::scrollRules {

double notches(int delta)
{
    if (std::abs(delta) >= kEighthsThreshold) {
        return delta / 120.0;
    }
    return delta;
}

HostConvention conventionForCommandLine(std::string_view commandLine)
{
    // xfce4-panel runs the status tray inside the panel or in its plugin wrapper
    // (/usr/lib/x86_64-linux-gnu/xfce4/panel/wrapper-2.0 ... systray ...).
    if (commandLine.find("xfce4-panel") != std::string_view::npos ||
        commandLine.find("xfce4/panel/wrapper") != std::string_view::npos) {
        return HostConvention::upNegative;
    }
    return HostConvention::upPositive;
}

double viewDelta(int delta, HostConvention convention, bool invert)
{
    double up = notches(delta);
    if (convention == HostConvention::upNegative) {
        up = -up;
    }
    if (invert) {
        up = -up;
    }
    // Wheel up raises the level: a negative raw delta.
    return up == 0.0 ? 0.0 : -up * kRawUnitsPerNotch;
}

bool isVertical(std::string_view orientation)
{
    std::string lower(orientation);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower == "vertical";
}

} // namespace lumvex::scrollRules
