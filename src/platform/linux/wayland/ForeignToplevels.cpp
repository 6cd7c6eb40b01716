// SPDX-License-Identifier: MIT
#include "ForeignToplevels.h"

#include <algorithm>
#include <cstring>

namespace lumvex {

namespace {

constexpr std::uint32_t kManagerVersion = 3;

bool holdsState(const wl_array *states, std::uint32_t wanted)
{
    // An array of 32-bit values; the bytes need not be aligned for the type.
    const auto *bytes = static_cast<const unsigned char *>(states->data);
    for (std::size_t offset = 0; offset + sizeof(std::uint32_t) <= states->size; offset += sizeof(std::uint32_t)) {
        std::uint32_t state = 0;
        std::memcpy(&state, bytes + offset, sizeof state);
        if (state == wanted) {
            return true;
        }
    }
    return false;
}

} // namespace

struct ForeignToplevels::Toplevel
{
    struct Properties
    {
        std::string appId;
        bool activated = false;
    };

    ForeignToplevels *owner = nullptr;
    WaylandPtr<zwlr_foreign_toplevel_handle_v1> handle;
    Properties pending;
    Properties current;

    static const zwlr_foreign_toplevel_handle_v1_listener kListener;
};

const zwlr_foreign_toplevel_handle_v1_listener ForeignToplevels::Toplevel::kListener = {
    .title = [](void *, zwlr_foreign_toplevel_handle_v1 *, const char *) {},
    .app_id = [](void *data, zwlr_foreign_toplevel_handle_v1 *,
                 const char *appId) { static_cast<Toplevel *>(data)->pending.appId = appId != nullptr ? appId : ""; },
    .output_enter = [](void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {},
    .output_leave = [](void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {},
    .state =
        [](void *data, zwlr_foreign_toplevel_handle_v1 *, wl_array *states) {
            static_cast<Toplevel *>(data)->pending.activated =
                holdsState(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED);
        },
    .done =
        [](void *data, zwlr_foreign_toplevel_handle_v1 *) {
            static_cast<Toplevel *>(data)->current = static_cast<Toplevel *>(data)->pending;
        },
    .closed =
        [](void *data, zwlr_foreign_toplevel_handle_v1 *) {
            auto *toplevel = static_cast<Toplevel *>(data);
            std::erase_if(toplevel->owner->m_toplevels,
                          [toplevel](const auto &each) { return each.get() == toplevel; });
        },
    .parent = [](void *, zwlr_foreign_toplevel_handle_v1 *, zwlr_foreign_toplevel_handle_v1 *) {},
};

const zwlr_foreign_toplevel_manager_v1_listener ForeignToplevels::kManagerListener = {
    .toplevel =
        [](void *data, zwlr_foreign_toplevel_manager_v1 *, zwlr_foreign_toplevel_handle_v1 *handle) {
            auto &self = *static_cast<ForeignToplevels *>(data);
            auto toplevel = std::make_unique<Toplevel>();
            toplevel->owner = &self;
            toplevel->handle.reset(handle);
            zwlr_foreign_toplevel_handle_v1_add_listener(handle, &Toplevel::kListener, toplevel.get());
            self.m_toplevels.push_back(std::move(toplevel));
        },
    .finished =
        [](void *data, zwlr_foreign_toplevel_manager_v1 *) {
            auto &self = *static_cast<ForeignToplevels *>(data);
            self.m_toplevels.clear();
            // The compositor has let go of it already: no stop request, only the proxy to free.
            zwlr_foreign_toplevel_manager_v1_destroy(self.m_manager.release());
        },
};

ForeignToplevels::ForeignToplevels() = default;

ForeignToplevels::~ForeignToplevels()
{
    // Handles go before the manager that made them.
    m_toplevels.clear();
}

void ForeignToplevels::setManager(wl_registry *registry, std::uint32_t globalName, std::uint32_t version)
{
    if (m_manager) {
        return;
    }
    m_managerName = globalName;
    m_manager.reset(static_cast<zwlr_foreign_toplevel_manager_v1 *>(wl_registry_bind(
        registry, globalName, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, kManagerVersion))));
    zwlr_foreign_toplevel_manager_v1_add_listener(m_manager.get(), &kManagerListener, this);
}

bool ForeignToplevels::removeGlobal(std::uint32_t globalName)
{
    if (!m_manager || globalName != m_managerName) {
        return false;
    }
    forgetAll();
    return true;
}

void ForeignToplevels::forgetAll()
{
    m_toplevels.clear();
    m_manager.reset();
}

std::optional<std::string> ForeignToplevels::activeAppId() const
{
    const auto active =
        std::ranges::find_if(m_toplevels, [](const auto &toplevel) { return toplevel->current.activated; });
    if (active == m_toplevels.end() || (*active)->current.appId.empty()) {
        return std::nullopt;
    }
    return (*active)->current.appId;
}

} // namespace lumvex
