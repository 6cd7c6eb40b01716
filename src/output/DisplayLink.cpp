// SPDX-License-Identifier: MIT
#include "DisplayLink.h"

#include "BrightnessController.h"
#include "DisplayRanges.h"
#include "ExternalBrightness.h"
#include "base/Files.h"
#include "base/Translation.h"
#include "engine/Settings.h"
#include "sensing/DisplayServices.h"

#include <algorithm>

namespace lumvex {

DisplayLink::DisplayLink(const Parts &parts)
    : m_parts(parts)
{}

bool DisplayLink::enabled() const
{
    return settings::value(m_parts.defaults, settings::linkDisplays);
}

void DisplayLink::setEnabled(bool on)
{
    settings::set(m_parts.defaults, settings::linkDisplays, on);
    if (!on) {
        return;
    }
    if (panelInUse()) {
        if (const std::optional<double> level = m_parts.panel.get()) {
            m_shared = *level;
        }
    }
    if (m_shared) {
        applyToExternals(std::nullopt);
    }
}

bool DisplayLink::panelInUse()
{
    if (!m_parts.panel.isAvailable()) {
        return false;
    }
    const auto online = m_parts.displays.onlineDisplays().value_or(std::vector<DisplayId>());
    return std::ranges::any_of(online, [this](DisplayId id) { return m_parts.displays.isBuiltIn(id); });
}

std::vector<DisplayId> DisplayLink::externals()
{
    std::vector<DisplayId> result;
    for (const DisplayId id : m_parts.displays.onlineDisplays().value_or(std::vector<DisplayId>())) {
        if (!m_parts.displays.isBuiltIn(id)) {
            result.push_back(id);
        }
    }
    return result;
}

std::string DisplayLink::connector(DisplayId display)
{
    return m_parts.displays.outputName(display).value_or(std::to_string(display));
}

MonitorIdentity DisplayLink::identify(const std::string &connector)
{
    const auto edid = m_parts.edid ? m_parts.edid(connector) : std::nullopt;
    if (auto identity = edid ? monitorIdentity(*edid) : std::nullopt) {
        return *identity;
    }
    // Without an EDID the connector is all that tells it; its range then stays with the port.
    return {"connector " + connector, {}};
}

std::string DisplayLink::identity(DisplayId display)
{
    return identify(connector(display)).key;
}

DisplayLink::Row DisplayLink::row(DisplayId display)
{
    Row row;
    row.id = display;
    row.connector = connector(display);
    row.builtIn = m_parts.displays.isBuiltIn(display);
    MonitorIdentity who = identify(row.connector);
    row.identity = std::move(who.key);
    row.monitor = std::move(who.name);
    if (row.builtIn) {
        row.level = m_parts.panel.get();
    } else {
        row.range = m_parts.ranges.range(row.identity);
        row.answers = m_parts.external.answers(display);
        // What a monitor that stopped answering last took is no level it is known to have now; and it is
        // not read again until a change is asked of it.
        if (row.answers) {
            row.level = m_parts.external.get(display);
        }
    }
    return row;
}

void DisplayLink::applyToExternals(std::optional<DisplayId> except)
{
    for (const DisplayId id : externals()) {
        if (id != except) {
            m_parts.external.set(id, m_parts.ranges.range(identity(id)).levelFor(*m_shared));
        }
    }
}

void DisplayLink::panelChanged(double level)
{
    m_shared = level;
    if (enabled()) {
        applyToExternals(std::nullopt);
    }
}

std::optional<double> DisplayLink::externalChanged(DisplayId display, double level)
{
    const DisplayRange range = m_parts.ranges.range(identity(display));
    m_shared = range.sharedFor(level);
    // The scrolled monitor too stays within its range.
    m_parts.external.set(display, range.levelFor(*m_shared));
    applyToExternals(display);
    return panelInUse() ? m_shared : std::nullopt;
}

void DisplayLink::setShared(double shared)
{
    m_shared = std::clamp(shared, 0.0, 1.0);
    applyToExternals(std::nullopt);
}

std::vector<DisplayLink::Row> DisplayLink::rows()
{
    std::vector<Row> result;
    for (const DisplayId id : m_parts.displays.onlineDisplays().value_or(std::vector<DisplayId>())) {
        result.push_back(row(id));
    }
    return result;
}

std::optional<DisplayLink::RangeRefusal> DisplayLink::setRange(const std::string &name, const DisplayRange &range)
{
    using Kind = RangeRefusal::Kind;
    if (auto problem = range.problem()) {
        return RangeRefusal{Kind::invalid, std::move(*problem)};
    }
    const std::vector<Row> all = rows();
    const auto found =
        std::ranges::find_if(all, [&](const Row &r) { return r.connector == name || r.monitor == name; });
    if (found == all.end()) {
        std::string known;
        for (const Row &r : all) {
            known += (known.empty() ? "" : ", ") + r.connector;
        }
        return RangeRefusal{
            Kind::noSuchDisplay,
            known.empty()
                ? i18n::arg(i18n::translate("Output", "no connected display is named %1"), {files::quoted(name)})
                : i18n::arg(i18n::translate("Output", "no connected display is named %1 (connected: %2)"),
                            {files::quoted(name), known})};
    }
    if (found->builtIn) {
        return RangeRefusal{Kind::builtIn, i18n::arg(i18n::translate("Output", "%1 is the built-in panel: its level "
                                                                               "is the shared level, it has no range"),
                                                     {found->connector})};
    }
    // Taken in memory either way, so the monitor moves to it now.
    const bool saved = m_parts.ranges.set(found->identity, found->monitor, range);
    if (enabled() && m_shared) {
        m_parts.external.set(found->id, range.levelFor(*m_shared));
    }
    if (!saved) {
        return RangeRefusal{Kind::notSaved,
                            i18n::arg(i18n::translate("Output", "the range of %1 holds until Lumvex ends, but could "
                                                                "not be saved"),
                                      {found->connector})};
    }
    return std::nullopt;
}

bool DisplayLink::check()
{
    if (!enabled()) {
        m_seen.clear(); // switched on again, every display is brought to the shared level
        return false;
    }
    std::set<Seen> now;
    for (const DisplayId id : externals()) {
        now.insert({id, identity(id), m_parts.external.answers(id)});
    }
    if (now == m_seen) {
        return false;
    }
    if (!m_shared && panelInUse()) {
        m_shared = m_parts.panel.get();
    }
    for (const Seen &seen : now) {
        const bool came = std::ranges::none_of(
            m_seen, [&](const Seen &before) { return before.id == seen.id && before.identity == seen.identity; });
        if (came && m_shared) {
            m_parts.external.set(seen.id, m_parts.ranges.range(seen.identity).levelFor(*m_shared));
        }
    }
    m_seen = std::move(now);
    return true;
}

} // namespace lumvex
