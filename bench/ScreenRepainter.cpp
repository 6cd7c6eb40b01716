// SPDX-License-Identifier: MIT
// Keeps the screen of the X server named by DISPLAY changing until the process is stopped: `--hz`
// times a second a square at its centre, or with `--full` the whole screen, switches between two
// greys. Started by sampler-cpu.sh, so that every sampler tick finds something drawn.
#include <xcb/xcb.h>

#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

struct Disconnect
{
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};

} // namespace

int main(int argc, char **argv)
{
    int hz = 25;
    bool full = false;
    bool valid = true;
    for (int i = 1; i < argc && valid; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--full") {
            full = true;
        } else if (argument == "--hz" && i + 1 < argc) {
            const std::string_view text(argv[++i]);
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hz);
            valid = error == std::errc() && end == text.data() + text.size() && hz > 0;
        } else {
            valid = false;
        }
    }
    if (!valid) {
        std::fprintf(stderr, "usage: lumvex_screen_repainter [--hz N] [--full]\n");
        return 2;
    }
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, nullptr));
    xcb_connection_t *x = connection.get();
    if (xcb_connection_has_error(x) != 0) {
        std::fprintf(stderr, "lumvex_screen_repainter: cannot reach the X server at DISPLAY\n");
        return 1;
    }
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    std::signal(SIGINT, [](int) { stopRequested = 1; });

    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_gcontext_t gc = xcb_generate_id(x);
    xcb_create_gc(x, gc, screen->root, 0, nullptr);
    constexpr int kSide = 256;
    const xcb_rectangle_t square =
        full ? xcb_rectangle_t{0, 0, screen->width_in_pixels, screen->height_in_pixels}
             : xcb_rectangle_t{static_cast<std::int16_t>(screen->width_in_pixels / 2 - kSide / 2),
                               static_cast<std::int16_t>(screen->height_in_pixels / 2 - kSide / 2), kSide, kSide};
    const auto period = std::chrono::microseconds(1'000'000 / hz);
    auto due = std::chrono::steady_clock::now();
    for (std::uint32_t frame = 0; stopRequested == 0; ++frame) {
        const std::uint32_t grey = frame % 2 == 0 ? 0x404040 : 0xc0c0c0;
        xcb_change_gc(x, gc, XCB_GC_FOREGROUND, &grey);
        xcb_poly_fill_rectangle(x, screen->root, gc, 1, &square);
        std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
        if (xcb_connection_has_error(x) != 0) {
            return 1;
        }
        due += period;
        std::this_thread::sleep_until(due);
    }
    return 0;
}
