// SPDX-License-Identifier: MIT
#include "FakeCompositor.h"

#include <wayland-server-core.h>
#include <wayland-server-protocol.h>

#include <unistd.h>

#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace lumvex::test {

namespace {

struct Output
{
    std::string name;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

const struct wl_output_interface kOutputImplementation = {
    .release = [](wl_client *, wl_resource *resource) { wl_resource_destroy(resource); },
};

void bindOutput(wl_client *client, void *data, uint32_t version, uint32_t id)
{
    const auto &output = *static_cast<const Output *>(data);
    wl_resource *resource = wl_resource_create(client, &wl_output_interface, static_cast<int>(version), id);
    if (resource == nullptr) {
        wl_client_post_no_memory(client);
        return;
    }
    wl_resource_set_implementation(resource, &kOutputImplementation, nullptr, nullptr);
    wl_output_send_geometry(resource, output.x, output.y, 0, 0, WL_OUTPUT_SUBPIXEL_UNKNOWN, "fake", "fake",
                            WL_OUTPUT_TRANSFORM_NORMAL);
    wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, output.width, output.height, 60000);
    wl_output_send_scale(resource, 1);
    wl_output_send_name(resource, output.name.c_str());
    wl_output_send_done(resource);
}

} // namespace

struct FakeCompositor::Server
{
    wl_display *display = wl_display_create();
    std::string socket;
    std::map<std::string, std::unique_ptr<Output>> outputs;
    std::map<std::string, wl_global *> globals;
    // Removed globals stay until the display goes, as clients may still bind them, and so do their outputs.
    std::vector<wl_global *> removed;
    std::vector<std::unique_ptr<Output>> removedOutputs;
    std::mutex mutex;
    std::vector<std::function<void()>> tasks;
    std::atomic<bool> quit = false;
    std::thread thread;

    // Runs the task on the server's thread and waits for it.
    void run(std::function<void()> task)
    {
        std::promise<void> done;
        {
            const std::lock_guard lock(mutex);
            tasks.push_back([&] {
                task();
                done.set_value();
            });
        }
        done.get_future().wait();
    }

    void serve()
    {
        wl_event_loop *loop = wl_display_get_event_loop(display);
        while (!quit) {
            std::vector<std::function<void()>> due;
            {
                const std::lock_guard lock(mutex);
                due.swap(tasks);
            }
            for (auto &task : due) {
                task();
            }
            wl_display_flush_clients(display);
            wl_event_loop_dispatch(loop, 5);
        }
    }
};

FakeCompositor::FakeCompositor()
    : m_server(std::make_unique<Server>())
{
    m_server->socket = "lumvex-fake-" + std::to_string(getpid());
    if (m_server->display == nullptr || wl_display_add_socket(m_server->display, m_server->socket.c_str()) != 0) {
        throw std::runtime_error("cannot listen on " + m_server->socket);
    }
    m_server->thread = std::thread(&Server::serve, m_server.get());
}

FakeCompositor::~FakeCompositor()
{
    m_server->quit = true;
    m_server->thread.join();
    wl_display_destroy_clients(m_server->display);
    wl_display_destroy(m_server->display);
}

const std::string &FakeCompositor::socket() const
{
    return m_server->socket;
}

void FakeCompositor::addOutput(const std::string &name, int x, int y, int width, int height)
{
    m_server->run([&] {
        auto output = std::make_unique<Output>(Output{name, x, y, width, height});
        m_server->globals[name] =
            wl_global_create(m_server->display, &wl_output_interface, 4, output.get(), bindOutput);
        m_server->outputs[name] = std::move(output);
    });
}

void FakeCompositor::removeOutput(const std::string &name)
{
    m_server->run([&] {
        wl_global *global = m_server->globals.at(name);
        wl_global_remove(global);
        m_server->removed.push_back(global);
        m_server->globals.erase(name);
        m_server->removedOutputs.push_back(std::move(m_server->outputs.at(name)));
        m_server->outputs.erase(name);
    });
}

} // namespace lumvex::test
