// SPDX-License-Identifier: MIT
#include "ShmSegment.h"

#include "base/UniqueFd.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

namespace lumvex {

std::unique_ptr<ShmSegment> ShmSegment::attach(xcb_connection_t *connection, std::size_t size)
{
    UniqueFd fd(memfd_create("lumvex-capture", MFD_CLOEXEC));
    if (!fd || ftruncate(fd.get(), static_cast<off_t>(size)) != 0) {
        return nullptr;
    }
    void *mapped = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd.get(), 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    // xcb closes the descriptor it sends; the mapping keeps the memory.
    const int sent = fcntl(fd.get(), F_DUPFD_CLOEXEC, 0);
    const xcb_shm_seg_t id = xcb_generate_id(connection);
    xcb_generic_error_t *error =
        sent < 0 ? nullptr : xcb_request_check(connection, xcb_shm_attach_fd_checked(connection, id, sent, 0));
    if (sent < 0 || error != nullptr || xcb_connection_has_error(connection) != 0) {
        std::free(error);
        munmap(mapped, size);
        return nullptr;
    }
    return std::make_unique<ShmSegment>(Attached{}, connection, id, static_cast<const std::uint8_t *>(mapped), size);
}

ShmSegment::~ShmSegment()
{
    xcb_shm_detach(m_connection, m_id);
    xcb_flush(m_connection);
    munmap(const_cast<std::uint8_t *>(m_data), m_size);
}

} // namespace lumvex
