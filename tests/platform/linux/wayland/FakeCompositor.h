// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace lumvex::test {

// A Wayland server of our own that offers outputs (wl_output version 4, no xdg-output) and nothing
// else, so that tests can take outputs away, which sway cannot do with headless ones, and see a
// compositor without screencopy. It listens in XDG_RUNTIME_DIR and runs on a thread of its own.
class FakeCompositor
{
public:
    FakeCompositor();
    ~FakeCompositor();
    FakeCompositor(const FakeCompositor &) = delete;
    FakeCompositor &operator=(const FakeCompositor &) = delete;

    // The socket's name, for WAYLAND_DISPLAY.
    const std::string &socket() const;

    void addOutput(const std::string &name, int x, int y, int width, int height);
    void removeOutput(const std::string &name);

private:
    struct Server;
    std::unique_ptr<Server> m_server;
};

} // namespace lumvex::test
