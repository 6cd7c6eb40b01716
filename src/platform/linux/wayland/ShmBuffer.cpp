// SPDX-License-Identifier: MIT
#include "ShmBuffer.h"

#include "base/UniqueFd.h"

#include <sys/mman.h>
#include <unistd.h>

#include <limits>

namespace lumvex {

std::unique_ptr<ShmBuffer> ShmBuffer::create(wl_shm *shm, const Shape &shape)
{
    if (shm == nullptr || shape.width <= 0 || shape.height <= 0 || shape.stride < shape.width * 4) {
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(shape.stride) * static_cast<std::size_t>(shape.height);
    // wl_shm pools are sized in 32-bit signed integers.
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return nullptr;
    }
    // Closed on return: the mapping and the compositor's pool keep the memory alive.
    const UniqueFd fd(memfd_create("lumvex-screencopy", MFD_CLOEXEC));
    if (!fd || ftruncate(fd.get(), static_cast<off_t>(size)) != 0) {
        return nullptr;
    }
    void *mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd.get(), 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    auto buffer = std::make_unique<ShmBuffer>(Key(), shape, static_cast<std::uint8_t *>(mapped), size);
    // The buffer keeps the pool's memory; the pool itself is no longer needed.
    const WaylandPtr<wl_shm_pool> pool(wl_shm_create_pool(shm, fd.get(), static_cast<std::int32_t>(size)));
    buffer->m_buffer.reset(
        wl_shm_pool_create_buffer(pool.get(), 0, shape.width, shape.height, shape.stride, shape.format));
    return buffer;
}

ShmBuffer::ShmBuffer(Key, const Shape &shape, std::uint8_t *data, std::size_t size)
    : m_shape(shape)
    , m_data(data)
    , m_size(size)
{}

ShmBuffer::~ShmBuffer()
{
    m_buffer.reset();
    munmap(m_data, m_size);
}

} // namespace lumvex
