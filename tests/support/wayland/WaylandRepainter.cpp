// SPDX-License-Identifier: MIT
#include "WaylandRepainter.h"

#include "base/UniqueFd.h"

#include <wayland-client.h>
#include <xdg-shell-client-protocol.h>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lumvex::test {

struct WaylandRepainter::Window
{
    WaylandRepainter &owner;
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_compositor *compositor = nullptr;
    wl_shm *shm = nullptr;
    xdg_wm_base *wmBase = nullptr;
    wl_output *output = nullptr;
    int outputWidth = 0; // the output's current mode: the size of a fullscreen window
    int outputHeight = 0;
    wl_surface *surface = nullptr;
    xdg_surface *xdgSurface = nullptr;
    xdg_toplevel *toplevel = nullptr;
    int width = 0;
    int height = 0;
    bool configured = false;
    // Two buffers of different greys, shown in turn: each frame changes every pixel.
    std::array<wl_buffer *, 2> buffers{};
    int next = 0;
    // The frame asked for and not yet done: it is ours to destroy when the window goes first.
    wl_callback *frame = nullptr;

    // Only the proxies go: the compositor drops the objects themselves with the connection.
    ~Window()
    {
        const auto drop = [](auto *...proxies) {
            ((proxies == nullptr ? void() : wl_proxy_destroy(reinterpret_cast<wl_proxy *>(proxies))), ...);
        };
        drop(frame, buffers[0], buffers[1], toplevel, xdgSurface, surface, wmBase, output, shm, compositor, registry);
        if (display != nullptr) {
            wl_display_disconnect(display);
        }
    }

    bool makeBuffers()
    {
        const int stride = width * 4;
        const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
        const UniqueFd fd(memfd_create("lumvex-repainter", MFD_CLOEXEC));
        if (!fd || ftruncate(fd.get(), static_cast<off_t>(size * 2)) != 0) {
            return false;
        }
        void *data = mmap(nullptr, size * 2, PROT_READ | PROT_WRITE, MAP_SHARED, fd.get(), 0);
        if (data == MAP_FAILED) {
            return false;
        }
        std::memset(data, 0x30, size);
        std::memset(static_cast<std::uint8_t *>(data) + size, 0xc0, size);
        munmap(data, size * 2);
        wl_shm_pool *pool = wl_shm_create_pool(shm, fd.get(), static_cast<std::int32_t>(size * 2));
        for (int i = 0; i < 2; ++i) {
            buffers[static_cast<std::size_t>(i)] = wl_shm_pool_create_buffer(
                pool, static_cast<std::int32_t>(size) * i, width, height, stride, WL_SHM_FORMAT_XRGB8888);
        }
        wl_shm_pool_destroy(pool);
        return true;
    }

    void showNext()
    {
        static const wl_callback_listener kFrameListener = {
            .done =
                [](void *data, wl_callback *callback, uint32_t) {
                    wl_callback_destroy(callback);
                    static_cast<Window *>(data)->frame = nullptr;
                    static_cast<Window *>(data)->showNext();
                },
        };
        wl_surface_attach(surface, buffers[static_cast<std::size_t>(next)], 0, 0);
        wl_surface_damage_buffer(surface, 0, 0, width, height);
        frame = wl_surface_frame(surface);
        wl_callback_add_listener(frame, &kFrameListener, this);
        wl_surface_commit(surface);
        next = 1 - next;
        ++owner.m_frames;
    }
};

WaylandRepainter::WaylandRepainter(std::string appId, bool fullscreen)
    : m_appId(std::move(appId))
    , m_fullscreen(fullscreen)
    , m_thread(&WaylandRepainter::run, this)
{}

WaylandRepainter::~WaylandRepainter()
{
    m_quit = true;
    m_thread.join();
}

bool WaylandRepainter::waitUntilShown()
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (m_frames < 3 && !m_failed && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return m_frames >= 3;
}

void WaylandRepainter::run()
{
    Window window{*this};
    window.display = wl_display_connect(nullptr);
    if (window.display == nullptr) {
        m_failed = true;
        return;
    }
    static const wl_registry_listener kRegistryListener = {
        .global =
            [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t) {
                auto &w = *static_cast<Window *>(data);
                const std::string_view kind = interface;
                if (kind == wl_compositor_interface.name) {
                    w.compositor =
                        static_cast<wl_compositor *>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
                } else if (kind == wl_shm_interface.name) {
                    w.shm = static_cast<wl_shm *>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
                } else if (kind == wl_output_interface.name && w.output == nullptr) {
                    w.output = static_cast<wl_output *>(wl_registry_bind(registry, name, &wl_output_interface, 1));
                    static const wl_output_listener kOutputListener = {
                        .geometry = [](void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *,
                                       const char *, int32_t) {},
                        .mode =
                            [](void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t) {
                                if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
                                    static_cast<Window *>(data)->outputWidth = width;
                                    static_cast<Window *>(data)->outputHeight = height;
                                }
                            },
                        .done = [](void *, wl_output *) {},
                        .scale = [](void *, wl_output *, int32_t) {},
                        .name = [](void *, wl_output *, const char *) {},
                        .description = [](void *, wl_output *, const char *) {},
                    };
                    wl_output_add_listener(w.output, &kOutputListener, &w);
                } else if (kind == xdg_wm_base_interface.name) {
                    w.wmBase = static_cast<xdg_wm_base *>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
                }
            },
        .global_remove = [](void *, wl_registry *, uint32_t) {},
    };
    window.registry = wl_display_get_registry(window.display);
    wl_registry_add_listener(window.registry, &kRegistryListener, &window);
    wl_display_roundtrip(window.display);
    wl_display_roundtrip(window.display);
    if (window.compositor == nullptr || window.shm == nullptr || window.wmBase == nullptr) {
        m_failed = true;
        return;
    }
    static const xdg_wm_base_listener kWmBaseListener = {
        .ping = [](void *, xdg_wm_base *base, uint32_t serial) { xdg_wm_base_pong(base, serial); },
    };
    xdg_wm_base_add_listener(window.wmBase, &kWmBaseListener, nullptr);
    window.surface = wl_compositor_create_surface(window.compositor);
    window.xdgSurface = xdg_wm_base_get_xdg_surface(window.wmBase, window.surface);
    static const xdg_surface_listener kSurfaceListener = {
        .configure =
            [](void *data, xdg_surface *surface, uint32_t serial) {
                xdg_surface_ack_configure(surface, serial);
                static_cast<Window *>(data)->configured = true;
            },
    };
    xdg_surface_add_listener(window.xdgSurface, &kSurfaceListener, &window);
    window.toplevel = xdg_surface_get_toplevel(window.xdgSurface);
    static const xdg_toplevel_listener kToplevelListener = {
        .configure =
            [](void *data, xdg_toplevel *, int32_t width, int32_t height, wl_array *) {
                auto &w = *static_cast<Window *>(data);
                if (width > 0 && height > 0) {
                    w.width = width;
                    w.height = height;
                }
            },
        .close = [](void *, xdg_toplevel *) {},
        .configure_bounds = [](void *, xdg_toplevel *, int32_t, int32_t) {},
        .wm_capabilities = [](void *, xdg_toplevel *, wl_array *) {},
    };
    xdg_toplevel_add_listener(window.toplevel, &kToplevelListener, &window);
    xdg_toplevel_set_app_id(window.toplevel, m_appId.c_str());
    if (m_fullscreen) {
        xdg_toplevel_set_fullscreen(window.toplevel, nullptr);
    }
    wl_surface_commit(window.surface);
    while (!window.configured) {
        if (wl_display_dispatch(window.display) < 0) {
            m_failed = true;
            return;
        }
    }
    // Sway leaves the size to the window until it has shown something.
    if (window.width == 0) {
        window.width = window.outputWidth;
        window.height = window.outputHeight;
    }
    if (!window.makeBuffers()) {
        m_failed = true;
        return;
    }
    window.showNext();

    while (!m_quit) {
        while (wl_display_prepare_read(window.display) != 0) {
            wl_display_dispatch_pending(window.display);
        }
        wl_display_flush(window.display);
        pollfd fd{wl_display_get_fd(window.display), POLLIN, 0};
        if (poll(&fd, 1, 20) > 0) {
            wl_display_read_events(window.display);
        } else {
            wl_display_cancel_read(window.display);
        }
        if (wl_display_dispatch_pending(window.display) < 0) {
            m_failed = true;
            break;
        }
    }
}

} // namespace lumvex::test
