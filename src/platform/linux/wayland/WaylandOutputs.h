// SPDX-License-Identifier: MIT
#pragma once

#include "OutputLayout.h"
#include "WaylandPtr.h"

#include <wayland-client.h>
#include <xdg-output-unstable-v1-client-protocol.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace lumvex {

// The outputs of one Wayland connection as they come and go: each wl_output's name and, through
// xdg-output when the compositor has it, its logical place in the layout. The connection hands over
// the registry's output globals; the tracker binds them and follows their events.
class WaylandOutputs
{
public:
    WaylandOutputs();
    ~WaylandOutputs();
    WaylandOutputs(const WaylandOutputs &) = delete;
    WaylandOutputs &operator=(const WaylandOutputs &) = delete;

    void addOutput(wl_registry *registry, std::uint32_t globalName, std::uint32_t version);
    void setXdgOutputManager(wl_registry *registry, std::uint32_t globalName, std::uint32_t version);
    // Forgets the global when it is one of ours; true then.
    bool removeGlobal(std::uint32_t globalName);

    // The outputs whose name and size are known, in the order the compositor announced them.
    std::vector<NamedOutput> list() const;
    // The output of that name, or null.
    wl_output *find(std::string_view name) const;
    // Grows with every change: an output added, removed or moved, or its name or size changed.
    std::uint64_t changes() const { return m_changes; }

private:
    struct Output;

    void watchLogicalPlace(Output &output);

    std::vector<std::unique_ptr<Output>> m_outputs;
    WaylandPtr<zxdg_output_manager_v1> m_xdgManager;
    std::uint32_t m_xdgManagerName = 0;
    std::uint64_t m_changes = 0;
};

} // namespace lumvex
