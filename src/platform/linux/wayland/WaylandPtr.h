// SPDX-License-Identifier: MIT
#pragma once

#include <wayland-client.h>
#include <wlr-foreign-toplevel-management-unstable-v1-client-protocol.h>
#include <wlr-screencopy-unstable-v1-client-protocol.h>
#include <xdg-output-unstable-v1-client-protocol.h>

#include <memory>

namespace lumvex {

// How each kind of Wayland object is let go: by the protocol's own destructor request.
inline void destroyWaylandObject(wl_display *display)
{
    wl_display_disconnect(display);
}
inline void destroyWaylandObject(wl_registry *registry)
{
    wl_registry_destroy(registry);
}
inline void destroyWaylandObject(wl_callback *callback)
{
    wl_callback_destroy(callback);
}
inline void destroyWaylandObject(wl_output *output)
{
    // Older compositors have no release request; destroying the proxy is all a client can do there.
    if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(output);
    } else {
        wl_output_destroy(output);
    }
}
inline void destroyWaylandObject(wl_shm *shm)
{
    wl_shm_destroy(shm);
}
inline void destroyWaylandObject(wl_shm_pool *pool)
{
    wl_shm_pool_destroy(pool);
}
inline void destroyWaylandObject(wl_buffer *buffer)
{
    wl_buffer_destroy(buffer);
}
inline void destroyWaylandObject(zxdg_output_manager_v1 *manager)
{
    zxdg_output_manager_v1_destroy(manager);
}
inline void destroyWaylandObject(zxdg_output_v1 *output)
{
    zxdg_output_v1_destroy(output);
}
inline void destroyWaylandObject(zwlr_screencopy_manager_v1 *manager)
{
    zwlr_screencopy_manager_v1_destroy(manager);
}
inline void destroyWaylandObject(zwlr_screencopy_frame_v1 *frame)
{
    zwlr_screencopy_frame_v1_destroy(frame);
}

inline void destroyWaylandObject(zwlr_foreign_toplevel_manager_v1 *manager)
{
    // The protocol has no destructor request: ask for no more events, then let the proxy go; what the
    // compositor still sends to it is dropped.
    zwlr_foreign_toplevel_manager_v1_stop(manager);
    zwlr_foreign_toplevel_manager_v1_destroy(manager);
}

inline void destroyWaylandObject(zwlr_foreign_toplevel_handle_v1 *handle)
{
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

struct WaylandDeleter
{
    template<typename T>
    void operator()(T *object) const
    {
        destroyWaylandObject(object);
    }
};

// Owns a Wayland proxy (or the display connection itself).
template<typename T>
using WaylandPtr = std::unique_ptr<T, WaylandDeleter>;

} // namespace lumvex
