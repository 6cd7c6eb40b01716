// SPDX-License-Identifier: MIT
#include "OutputLayout.h"

#include "platform/linux/x11/MonitorRules.h"
#include "sensing/OutputNameId.h"

#include <algorithm>

namespace lumvex {

namespace {

// The monitor rules take a primary monitor first; on Wayland the built-in panel plays that part.
MonitorGeometry asMonitor(const NamedOutput &output, const BuiltInRule &builtIn)
{
    return {output.logical.x, output.logical.y, output.logical.width, output.logical.height, builtIn(output.name)};
}

} // namespace

bool BuiltInRule::operator()(std::string_view name) const
{
    return isBuiltInMonitorName(name) || (!alsoBuiltIn.empty() && name == alsoBuiltIn);
}

std::optional<std::size_t> mainOutputIndex(const std::vector<NamedOutput> &outputs, const BuiltInRule &builtIn)
{
    std::vector<MonitorGeometry> monitors;
    for (const NamedOutput &output : outputs) {
        monitors.push_back(asMonitor(output, builtIn));
    }
    return mainMonitorIndex(monitors);
}

int layoutBottom(const std::vector<NamedOutput> &outputs)
{
    if (outputs.empty()) {
        return 0;
    }
    const auto bottomEdge = [](const NamedOutput &output) { return output.logical.y + output.logical.height; };
    return bottomEdge(*std::ranges::max_element(outputs, {}, bottomEdge));
}

std::vector<Screen> desktopScreens(const std::vector<NamedOutput> &outputs, const BuiltInRule &builtIn)
{
    const int bottom = layoutBottom(outputs);
    std::vector<Screen> screens;
    for (const NamedOutput &output : outputs) {
        screens.push_back({outputNameId(output.name), desktopFrame(asMonitor(output, builtIn), bottom)});
    }
    if (const std::optional<std::size_t> main = mainOutputIndex(outputs, builtIn)) {
        const auto first = screens.begin();
        std::rotate(first, first + static_cast<std::ptrdiff_t>(*main), first + static_cast<std::ptrdiff_t>(*main) + 1);
    }
    return screens;
}

std::optional<Point> desktopPointOnOutputs(int x, int y, const std::vector<NamedOutput> &outputs)
{
    const bool onOutput =
        std::ranges::any_of(outputs, [x, y](const NamedOutput &output) { return output.logical.contains(x, y); });
    if (!onOutput) {
        return std::nullopt;
    }
    return desktopPoint(x, y, layoutBottom(outputs));
}

} // namespace lumvex
