// SPDX-License-Identifier: MIT
#include "ConnectorMatch.h"

#include <algorithm>
#include <regex>

namespace lumvex::ddc {

namespace {

using Candidates = std::vector<std::size_t>;

// Narrows the candidates to those that pass; keeps them all when none does.
template<typename Predicate>
Candidates narrow(const Candidates &candidates, Predicate passes)
{
    Candidates kept;
    std::ranges::copy_if(candidates, std::back_inserter(kept), passes);
    return kept.empty() ? candidates : kept;
}

bool standsFor(std::string_view outputName, const DrmConnector &connector)
{
    const std::vector<std::string> names = kernelNamesFor(outputName);
    return std::ranges::find(names, connector.connector) != names.end();
}

} // namespace

std::vector<std::string> kernelNamesFor(std::string_view outputName)
{
    static const std::regex kDashed("(HDMI|DisplayPort)-([0-9]+)");
    static const std::regex kUndashed("(eDP|DP|HDMI|VGA|DVI|LVDS)([0-9]+)");
    const std::string name(outputName);
    std::vector<std::string> names{name};
    std::smatch match;
    if (std::regex_match(name, match, kDashed)) {
        const int number = std::stoi(match[2]);
        names.push_back(match[1] == "HDMI" ? "HDMI-A-" + std::to_string(number) : "DP-" + std::to_string(number + 1));
    } else if (std::regex_match(name, match, kUndashed)) {
        const std::string type = match[1] == "HDMI" ? "HDMI-A" : match[1] == "DVI" ? "DVI-D" : std::string(match[1]);
        names.push_back(type + "-" + std::string(match[2]));
    }
    return names;
}

std::optional<std::size_t> matchConnector(const DisplayIdentity &display, const std::vector<DrmConnector> &connectors)
{
    Candidates candidates;
    for (std::size_t i = 0; i < connectors.size(); ++i) {
        if (connectors[i].connected) {
            candidates.push_back(i);
        }
    }
    if (display.connectorId) {
        candidates =
            narrow(candidates, [&](std::size_t i) { return connectors[i].connectorId == display.connectorId; });
    }
    if (!display.edid.empty()) {
        candidates = narrow(candidates, [&](std::size_t i) { return connectors[i].edid == display.edid; });
    }
    if (candidates.size() > 1) {
        for (const std::string &name : display.names) {
            const Candidates named = narrow(candidates, [&](std::size_t i) { return standsFor(name, connectors[i]); });
            if (named.size() < candidates.size()) {
                candidates = named;
                break;
            }
        }
    }
    // A lone candidate that nothing pointed at is no match.
    if (candidates.size() != 1) {
        return std::nullopt;
    }
    const DrmConnector &chosen = connectors[candidates.front()];
    const bool sameId = display.connectorId && chosen.connectorId == display.connectorId;
    const bool sameEdid = !display.edid.empty() && chosen.edid == display.edid;
    const bool sameName =
        std::ranges::any_of(display.names, [&](const std::string &name) { return standsFor(name, chosen); });
    if (!sameId && !sameEdid && !sameName) {
        return std::nullopt;
    }
    return candidates.front();
}

} // namespace lumvex::ddc
