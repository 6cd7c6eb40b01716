// SPDX-License-Identifier: MIT
#include "WaylandDisplayServices.h"

#include "WaylandConnection.h"
#include "sensing/DisplayRouter.h"
#include "sensing/OutputNameId.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace lumvex {

namespace {

constexpr std::chrono::milliseconds kConnectLimit{500};
constexpr std::chrono::seconds kRetryInterval{5};

std::unique_ptr<WaylandConnection> openConnection()
{
    return WaylandConnection::open(WaylandConnection::Clock::now() + kConnectLimit, nullptr,
                                   WaylandConnection::Toplevels::followed);
}

} // namespace

WaylandDisplayServices::WaylandDisplayServices()
    : m_connection(openConnection())
    , m_nextAttempt(std::chrono::steady_clock::now() + kRetryInterval)
{
    if (const char *panel = std::getenv("LUMVEX_BUILTIN_OUTPUT")) {
        m_builtIn.alsoBuiltIn = panel;
    }
    // The application in front at start is where we are, not a switch.
    if (m_connection) {
        m_lastApp = m_connection->toplevels().activeAppId();
    }
}

WaylandDisplayServices::~WaylandDisplayServices() = default;

bool WaylandDisplayServices::isConnected()
{
    // Once broken, the connection is let go: a compositor that has gone does not come back.
    if (m_connection && !m_connection->dispatchPending()) {
        m_connection.reset();
        m_lost = true;
    }
    if (!m_connection && !m_lost && m_attemptsLeft > 0 && std::chrono::steady_clock::now() >= m_nextAttempt) {
        --m_attemptsLeft;
        m_nextAttempt = std::chrono::steady_clock::now() + kRetryInterval;
        m_connection = openConnection();
        if (m_connection) {
            m_lastApp = m_connection->toplevels().activeAppId();
        }
    }
    if (!m_connection) {
        return false;
    }
    const std::optional<std::string> app = m_connection->toplevels().activeAppId();
    if (app && app != m_lastApp) {
        m_lastApp = app;
        if (onAppSwitch) {
            onAppSwitch();
        }
    }
    return true;
}

std::optional<std::string> WaylandDisplayServices::activeAppId()
{
    return isConnected() ? m_connection->toplevels().activeAppId() : std::nullopt;
}

bool WaylandDisplayServices::offersScreencopy()
{
    return isConnected() && m_connection->screencopy() != nullptr;
}

std::vector<NamedOutput> WaylandDisplayServices::currentOutputs()
{
    if (!isConnected()) {
        return {};
    }
    std::vector<NamedOutput> outputs = m_connection->outputs().list();
    for (const NamedOutput &output : outputs) {
        m_names.try_emplace(outputNameId(output.name), output.name);
    }
    return outputs;
}

const NamedOutput *WaylandDisplayServices::find(const std::vector<NamedOutput> &outputs, DisplayId id) const
{
    const auto found =
        std::ranges::find_if(outputs, [id](const NamedOutput &output) { return outputNameId(output.name) == id; });
    return found == outputs.end() ? nullptr : &*found;
}

DisplayId WaylandDisplayServices::mainDisplay()
{
    const std::vector<NamedOutput> outputs = currentOutputs();
    const std::optional<std::size_t> main = mainOutputIndex(outputs, m_builtIn);
    return main ? outputNameId(outputs[*main].name) : 0;
}

bool WaylandDisplayServices::isBuiltIn(DisplayId id)
{
    currentOutputs();
    const auto known = m_names.find(id);
    return id != 0 && known != m_names.end() && m_builtIn(known->second);
}

std::optional<std::vector<DisplayId>> WaylandDisplayServices::onlineDisplays()
{
    const std::vector<NamedOutput> outputs = currentOutputs();
    if (!m_connection) {
        return std::nullopt;
    }
    std::vector<DisplayId> ids;
    for (const NamedOutput &output : outputs) {
        ids.push_back(outputNameId(output.name));
    }
    return ids;
}

std::vector<Screen> WaylandDisplayServices::screens()
{
    return desktopScreens(currentOutputs(), m_builtIn);
}

std::optional<Point> WaylandDisplayServices::pointerLocation()
{
    const std::vector<NamedOutput> outputs = currentOutputs();
    if (m_pointerHint &&
        !isRecentMove(std::chrono::duration<double>(std::chrono::steady_clock::now() - m_pointerHint->at).count())) {
        m_pointerHint.reset();
    }
    if (!m_pointerHint) {
        return std::nullopt;
    }
    return desktopPointOnOutputs(m_pointerHint->x, m_pointerHint->y, outputs);
}

std::optional<std::string> WaylandDisplayServices::outputName(DisplayId id)
{
    const std::vector<NamedOutput> outputs = currentOutputs();
    const NamedOutput *output = find(outputs, id);
    return output == nullptr ? std::nullopt : std::optional(output->name);
}

std::optional<OutputRect> WaylandDisplayServices::logicalGeometry(DisplayId id)
{
    const std::vector<NamedOutput> outputs = currentOutputs();
    const NamedOutput *output = find(outputs, id);
    return output == nullptr ? std::nullopt : std::optional(output->logical);
}

void WaylandDisplayServices::notePointerAt(int x, int y)
{
    m_pointerHint = PointerHint{x, y, std::chrono::steady_clock::now()};
}

} // namespace lumvex
