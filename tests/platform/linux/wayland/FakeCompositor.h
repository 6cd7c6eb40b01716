// SPDX-License-Identifier: MIT
#pragma once

#include <wayland-server-core.h>
#include <wayland-server-protocol.h>

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <list>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace lumvex::test {

// A Wayland server of our own that offers outputs (wl_output version 4, no xdg-output) and nothing
// else, so that tests can take outputs away, which sway cannot do with headless ones, and see a
// compositor without screencopy. It listens in XDG_RUNTIME_DIR and runs on a thread of its own.
class FakeCompositor
{
public:
    FakeCompositor()
    {
        if (m_display == nullptr || wl_display_add_socket(m_display, m_socket.c_str()) != 0) {
            throw std::runtime_error("cannot listen on " + m_socket);
        }
        m_thread = std::thread([this] { serve(); });
    }
    ~FakeCompositor()
    {
        m_quit = true;
        m_thread.join();
        wl_display_destroy_clients(m_display);
        wl_display_destroy(m_display);
    }
    FakeCompositor(const FakeCompositor &) = delete;
    FakeCompositor &operator=(const FakeCompositor &) = delete;

    // The socket's name, for WAYLAND_DISPLAY.
    const std::string &socket() const { return m_socket; }

    void addOutput(const std::string &name, int x, int y, int width, int height)
    {
        const std::lock_guard lock(m_mutex);
        Output &output = m_outputs.emplace_back(Output{name, x, y, width, height});
        output.global = wl_global_create(m_display, &wl_output_interface, 4, &output, bind);
    }

    // The global and its output stay until the display goes, as clients may still bind it.
    void removeOutput(const std::string &name)
    {
        const std::lock_guard lock(m_mutex);
        for (Output &output : m_outputs) {
            if (output.name == name && !output.removed) {
                wl_global_remove(output.global);
                output.removed = true;
            }
        }
    }

private:
    struct Output
    {
        std::string name;
        int x, y, width, height;
        wl_global *global = nullptr;
        bool removed = false;
    };

    static void bind(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        static const struct wl_output_interface kImplementation = {
            .release = [](wl_client *, wl_resource *resource) { wl_resource_destroy(resource); },
        };
        const auto &output = *static_cast<const Output *>(data);
        wl_resource *resource = wl_resource_create(client, &wl_output_interface, static_cast<int>(version), id);
        if (resource == nullptr) {
            wl_client_post_no_memory(client);
            return;
        }
        wl_resource_set_implementation(resource, &kImplementation, nullptr, nullptr);
        wl_output_send_geometry(resource, output.x, output.y, 0, 0, WL_OUTPUT_SUBPIXEL_UNKNOWN, "fake", "fake",
                                WL_OUTPUT_TRANSFORM_NORMAL);
        wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, output.width, output.height, 60000);
        wl_output_send_scale(resource, 1);
        wl_output_send_name(resource, output.name.c_str());
        wl_output_send_done(resource);
    }

    // Waits outside the lock, so that the test's changes get in between.
    void serve()
    {
        wl_event_loop *loop = wl_display_get_event_loop(m_display);
        pollfd ready{wl_event_loop_get_fd(loop), POLLIN, 0};
        while (!m_quit) {
            poll(&ready, 1, 5);
            const std::lock_guard lock(m_mutex);
            wl_event_loop_dispatch(loop, 0);
            wl_display_flush_clients(m_display);
        }
    }

    wl_display *m_display = wl_display_create();
    const std::string m_socket = "lumvex-fake-" + std::to_string(getpid());
    std::list<Output> m_outputs;
    std::mutex m_mutex;
    std::atomic<bool> m_quit = false;
    std::thread m_thread;
};

} // namespace lumvex::test
