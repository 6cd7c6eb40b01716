// SPDX-License-Identifier: MIT
#include "WaylandConnection.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace lumvex {

namespace {

constexpr std::uint32_t kShmVersion = 1;
constexpr std::uint32_t kScreencopyVersion = 3;

std::chrono::milliseconds remaining(WaylandConnection::Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - WaylandConnection::Clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

} // namespace

const wl_registry_listener WaylandConnection::kRegistryListener = {
    .global =
        [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
            auto &self = *static_cast<WaylandConnection *>(data);
            const std::string_view kind = interface;
            if (kind == wl_output_interface.name) {
                self.m_outputs.addOutput(registry, name, version);
            } else if (kind == zxdg_output_manager_v1_interface.name) {
                self.m_outputs.setXdgOutputManager(registry, name, version);
            } else if (kind == wl_shm_interface.name && !self.m_shm) {
                self.m_shm.reset(static_cast<wl_shm *>(
                    wl_registry_bind(registry, name, &wl_shm_interface, std::min(version, kShmVersion))));
            } else if (kind == zwlr_foreign_toplevel_manager_v1_interface.name &&
                       self.m_followToplevels == Toplevels::followed) {
                self.m_toplevels.setManager(registry, name, version);
            } else if (kind == zwlr_screencopy_manager_v1_interface.name && !self.m_screencopy) {
                self.m_screencopyName = name;
                self.m_screencopy.reset(static_cast<zwlr_screencopy_manager_v1 *>(wl_registry_bind(
                    registry, name, &zwlr_screencopy_manager_v1_interface, std::min(version, kScreencopyVersion))));
            }
        },
    .global_remove =
        [](void *data, wl_registry *, uint32_t name) {
            auto &self = *static_cast<WaylandConnection *>(data);
            if (self.m_outputs.removeGlobal(name) || self.m_toplevels.removeGlobal(name)) {
                return;
            }
            if (self.m_screencopy && name == self.m_screencopyName) {
                self.m_screencopy.reset();
            }
        },
};

std::string WaylandConnection::socketName()
{
    const char *name = std::getenv("WAYLAND_DISPLAY");
    return name != nullptr ? name : "";
}

std::unique_ptr<WaylandConnection> WaylandConnection::open(OpenError *error, Toplevels toplevels)
{
    const auto fail = [error](OpenError why) {
        if (error != nullptr) {
            *error = why;
        }
        return nullptr;
    };
    // Without the variable the library would try wayland-0, which may be someone else's compositor.
    const std::string socket = socketName();
    if (socket.empty()) {
        return fail(OpenError::NoCompositor);
    }
    wl_display *display = wl_display_connect(socket.c_str());
    if (display == nullptr) {
        return fail(OpenError::Unreachable);
    }
    auto connection = std::make_unique<WaylandConnection>(Key(), display, toplevels);
    connection->askToDescribe();
    connection->flush();
    return connection;
}

WaylandConnection::WaylandConnection(Key, wl_display *display, Toplevels toplevels)
    : m_display(display)
    , m_registry(wl_display_get_registry(display))
    , m_followToplevels(toplevels)
{
    wl_registry_add_listener(m_registry.get(), &kRegistryListener, this);
}

WaylandConnection::~WaylandConnection() = default;

void WaylandConnection::askToDescribe()
{
    static const wl_callback_listener kListener = {
        .done =
            [](void *data, wl_callback *, uint32_t) {
                auto &self = *static_cast<WaylandConnection *>(data);
                self.m_describeCallback.reset();
                if (--self.m_describeSteps > 0) {
                    self.askToDescribe();
                }
            },
    };
    m_describeCallback.reset(wl_display_sync(m_display.get()));
    wl_callback_add_listener(m_describeCallback.get(), &kListener, this);
}

int WaylandConnection::fd() const
{
    return wl_display_get_fd(m_display.get());
}

void WaylandConnection::flush()
{
    // A full socket (EAGAIN) keeps the rest queued: the owner watches for writing until it has gone.
    const int sent = wl_display_flush(m_display.get());
    m_wantsWrite = sent < 0 && errno == EAGAIN;
    markBrokenIf(sent < 0 && errno != EAGAIN);
}

void WaylandConnection::markBrokenIf(bool failed)
{
    m_broken = m_broken || failed || wl_display_get_error(m_display.get()) != 0;
}

void WaylandConnection::readEvents(std::chrono::milliseconds timeout)
{
    wl_display *display = m_display.get();
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) {
            markBrokenIf(true);
            return;
        }
    }
    flush();
    if (m_broken) {
        wl_display_cancel_read(display);
        return;
    }
    pollfd fd{wl_display_get_fd(display), POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&fd, 1, static_cast<int>(timeout.count()));
    } while (ready < 0 && errno == EINTR);
    if (ready > 0) {
        // A hung-up socket reads as an error here, which marks the connection broken.
        markBrokenIf(wl_display_read_events(display) < 0);
    } else {
        wl_display_cancel_read(display);
    }
    markBrokenIf(wl_display_dispatch_pending(display) < 0);
    // Requests that the handlers just made go out now, not with the next call.
    if (!m_broken) {
        flush();
    }
}

bool WaylandConnection::dispatchPending()
{
    if (!m_broken) {
        readEvents(std::chrono::milliseconds(0));
    }
    return !m_broken;
}

bool WaylandConnection::dispatchUntil(const std::function<bool()> &done, Clock::time_point deadline)
{
    while (!m_broken) {
        markBrokenIf(wl_display_dispatch_pending(m_display.get()) < 0);
        if (done()) {
            return true;
        }
        const std::chrono::milliseconds timeout = remaining(deadline);
        readEvents(timeout);
        if (timeout.count() == 0) {
            break;
        }
    }
    return done();
}

} // namespace lumvex
