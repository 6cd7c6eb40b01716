// SPDX-License-Identifier: MIT
#pragma once

#include "WaylandPtr.h"

#include <wayland-client.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumvex {

// A wl_buffer in memory shared with the compositor (an anonymous memfd), for it to copy frames into.
class ShmBuffer
{
public:
    struct Shape
    {
        std::uint32_t format = 0; // wl_shm format
        int width = 0;
        int height = 0;
        int stride = 0;

        bool operator==(const Shape &) const = default;
    };

    // Nothing when the shape is unusable or the memory cannot be had.
    static std::unique_ptr<ShmBuffer> create(wl_shm *shm, const Shape &shape);

    ~ShmBuffer();
    ShmBuffer(const ShmBuffer &) = delete;
    ShmBuffer &operator=(const ShmBuffer &) = delete;

    const Shape &shape() const { return m_shape; }
    wl_buffer *buffer() const { return m_buffer.get(); }
    const std::uint8_t *data() const { return m_data; }

    // Made by create() only.
    class Key
    {
        friend ShmBuffer;
        Key() = default;
    };
    // Takes over the mapping.
    ShmBuffer(Key, const Shape &shape, std::uint8_t *data, std::size_t size);

private:
    const Shape m_shape;
    std::uint8_t *const m_data;
    const std::size_t m_size;
    WaylandPtr<wl_buffer> m_buffer;
};

} // namespace lumvex
