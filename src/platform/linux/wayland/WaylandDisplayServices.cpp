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

// A missing socket costs one failed connect to look for: often, so that the compositor is found as it comes.
constexpr std::chrono::seconds kRetryInterval{1};

} // namespace

WaylandDisplayServices::WaylandDisplayServices()
{
    if (const char *panel = std::getenv("LUMVEX_BUILTIN_OUTPUT")) {
        m_builtIn.alsoBuiltIn = panel;
    }
    connect();
}

WaylandDisplayServices::~WaylandDisplayServices() = default;

void WaylandDisplayServices::connect()
{
    m_connection = WaylandConnection::open(nullptr, WaylandConnection::Toplevels::followed);
    m_nextAttempt = std::chrono::steady_clock::now() + kRetryInterval;
    m_lastApp.reset();
    if (m_connection && onConnectionChange) {
        onConnectionChange();
    }
}

void WaylandDisplayServices::letGo()
{
    // A compositor that has gone does not come back.
    m_connection.reset();
    m_lost = true;
    if (onConnectionChange) {
        onConnectionChange();
    }
}

int WaylandDisplayServices::fd() const
{
    return m_connection ? m_connection->fd() : -1;
}

std::uint64_t WaylandDisplayServices::changes() const
{
    // Output changes count only once described; the description's end is one change more.
    return m_connection && m_connection->isDescribed() ? m_connection->outputs().changes() + 1 : 0;
}

bool WaylandDisplayServices::wantsWrite() const
{
    return m_connection && m_connection->wantsWrite();
}

void WaylandDisplayServices::dispatch()
{
    if (m_connection && !m_connection->dispatchPending()) {
        letGo();
    }
}

bool WaylandDisplayServices::isWaiting()
{
    dispatch();
    return m_connection && !m_connection->isDescribed();
}

bool WaylandDisplayServices::isConnected()
{
    dispatch();
    if (isLookingForCompositor() && std::chrono::steady_clock::now() >= m_nextAttempt) {
        --m_attemptsLeft;
        connect();
    }
    if (!m_connection || !m_connection->isDescribed()) {
        return false;
    }
    // The application in front when the compositor first tells is where we are, not a switch.
    const std::optional<std::string> app = m_connection->toplevels().activeAppId();
    if (!m_lastApp) {
        m_lastApp = app.value_or(std::string());
    } else if (app && app != m_lastApp) {
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
