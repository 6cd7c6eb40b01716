// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/shm.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumvex {

// Memory shared with the X server, which writes images into it. Passed as a file descriptor, so it
// needs neither System V IPC nor the same IPC namespace as the server, only a local connection.
class ShmSegment
{
    struct Attached
    {
        explicit Attached() = default;
    };

public:
    // A segment of `size` bytes; nothing when the memory cannot be had or the server refuses it.
    static std::unique_ptr<ShmSegment> attach(xcb_connection_t *connection, std::size_t size);
    ShmSegment(Attached, xcb_connection_t *connection, xcb_shm_seg_t id, const std::uint8_t *data, std::size_t size)
        : m_connection(connection)
        , m_id(id)
        , m_data(data)
        , m_size(size)
    {}
    ~ShmSegment();
    ShmSegment(const ShmSegment &) = delete;
    ShmSegment &operator=(const ShmSegment &) = delete;

    xcb_shm_seg_t id() const { return m_id; }
    const std::uint8_t *data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    xcb_connection_t *m_connection;
    xcb_shm_seg_t m_id;
    const std::uint8_t *m_data;
    std::size_t m_size;
};

} // namespace lumvex
