// SPDX-License-Identifier: MIT
// Preloaded into the portal's wlroots backend in the headless test desktop only.
//
// Debian 12's backend (0.7) refuses to share a screen unless the compositor offers each frame as a dma-buf
// as well as in shared memory, although it then streams shared memory to a consumer that asks for that. A
// headless compositor without a GPU offers shared memory only. This library announces a dma-buf format of the
// frame's size just before each frame's list of buffer kinds ends; the backend, finding no dma-buf modifiers
// on such a compositor, then streams shared memory. Everything else passes through unchanged.
#include <wayland-client-core.h>

#include <dlfcn.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

using Handler = void (*)();
using BufferHandler = void (*)(void *, wl_proxy *, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t);
using DmabufHandler = void (*)(void *, wl_proxy *, std::uint32_t, std::uint32_t, std::uint32_t);
using DoneHandler = void (*)(void *, wl_proxy *);
using AddListener = int (*)(wl_proxy *, Handler *, void *);

// Events of zwlr_screencopy_frame_v1, version 3.
enum Event { Buffer = 0, LinuxDmabuf = 5, BufferDone = 6, EventCount = 7 };
constexpr std::uint32_t kXrgb8888 = 0x34325258;

struct Frame
{
    wl_proxy *proxy = nullptr;
    const Handler *original = nullptr;
    std::array<Handler, EventCount> handlers{};
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The backend copies one frame at a time; a few slots are plenty. It runs on one thread.
std::array<Frame, 16> frames;
unsigned nextSlot = 0;

Frame *find(wl_proxy *proxy)
{
    for (Frame &frame : frames) {
        if (frame.proxy == proxy) {
            return &frame;
        }
    }
    return nullptr;
}

void onBuffer(void *data, wl_proxy *proxy, std::uint32_t format, std::uint32_t width, std::uint32_t height,
              std::uint32_t stride)
{
    Frame *frame = find(proxy);
    frame->width = width;
    frame->height = height;
    reinterpret_cast<BufferHandler>(frame->original[Buffer])(data, proxy, format, width, height, stride);
}

void onBufferDone(void *data, wl_proxy *proxy)
{
    Frame *frame = find(proxy);
    if (frame->original[LinuxDmabuf] != nullptr) {
        reinterpret_cast<DmabufHandler>(frame->original[LinuxDmabuf])(data, proxy, kXrgb8888, frame->width,
                                                                      frame->height);
    }
    reinterpret_cast<DoneHandler>(frame->original[BufferDone])(data, proxy);
}

} // namespace

extern "C" int wl_proxy_add_listener(wl_proxy *proxy, Handler *implementation, void *data)
{
    static const auto real = reinterpret_cast<AddListener>(dlsym(RTLD_NEXT, "wl_proxy_add_listener"));
    if (std::strcmp(wl_proxy_get_class(proxy), "zwlr_screencopy_frame_v1") != 0 || wl_proxy_get_version(proxy) < 3) {
        return real(proxy, implementation, data);
    }
    Frame *frame = find(proxy);
    if (frame == nullptr) {
        frame = &frames[nextSlot++ % frames.size()];
    }
    frame->proxy = proxy;
    frame->original = implementation;
    std::memcpy(frame->handlers.data(), implementation, sizeof(Handler) * EventCount);
    frame->handlers[Buffer] = reinterpret_cast<Handler>(&onBuffer);
    frame->handlers[BufferDone] = reinterpret_cast<Handler>(&onBufferDone);
    return real(proxy, frame->handlers.data(), data);
}
