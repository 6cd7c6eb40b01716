// SPDX-License-Identifier: MIT
#pragma once

#include "WaylandPtr.h"

#include <wayland-client.h>
#include <wlr-foreign-toplevel-management-unstable-v1-client-protocol.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumvex {

// The toplevel windows of every client, as compositors with the wlroots foreign-toplevel protocol
// announce them to task bars, and which of them is active. The connection hands over the manager's
// global; changes count once the compositor closes their group with `done`.
class ForeignToplevels
{
public:
    ForeignToplevels();
    ~ForeignToplevels();
    ForeignToplevels(const ForeignToplevels &) = delete;
    ForeignToplevels &operator=(const ForeignToplevels &) = delete;

    void setManager(wl_registry *registry, std::uint32_t globalName, std::uint32_t version);
    // Forgets the manager, and with it every toplevel, when the global is it; true then.
    bool removeGlobal(std::uint32_t globalName);
    bool hasManager() const { return m_manager != nullptr; }

    // The application id of the active toplevel; nothing when none is active or its id is empty.
    std::optional<std::string> activeAppId() const;

private:
    struct Toplevel;

    void forgetAll();
    static const zwlr_foreign_toplevel_manager_v1_listener kManagerListener;

    WaylandPtr<zwlr_foreign_toplevel_manager_v1> m_manager;
    std::uint32_t m_managerName = 0;
    std::vector<std::unique_ptr<Toplevel>> m_toplevels;
};

} // namespace lumvex
