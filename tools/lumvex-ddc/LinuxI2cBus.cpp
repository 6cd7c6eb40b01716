// SPDX-License-Identifier: MIT
#include "LinuxI2cBus.h"

#include "DdcPacket.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <sys/ioctl.h>

namespace lumvex::ddc {

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// A transfer is one I2C message; a short count means the display stopped acknowledging.
std::error_code transferResult(ssize_t done, std::size_t wanted)
{
    if (done < 0) {
        return lastError();
    }
    return static_cast<std::size_t>(done) == wanted ? std::error_code() : std::make_error_code(std::errc::io_error);
}

} // namespace

OpenedBus LinuxI2cBus::open(const std::filesystem::path &device)
{
    UniqueFd fd(::open(device.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd) {
        return {nullptr, lastError(), false};
    }
    if (::ioctl(fd.get(), I2C_SLAVE, static_cast<unsigned long>(kDisplayAddress)) < 0) {
        return {nullptr, lastError(), true};
    }
    return {std::make_unique<LinuxI2cBus>(std::move(fd)), {}, false};
}

std::error_code LinuxI2cBus::write(std::span<const std::uint8_t> bytes)
{
    ssize_t done = 0;
    do {
        done = ::write(m_fd.get(), bytes.data(), bytes.size());
    } while (done < 0 && errno == EINTR);
    return transferResult(done, bytes.size());
}

std::error_code LinuxI2cBus::read(std::span<std::uint8_t> bytes)
{
    ssize_t done = 0;
    do {
        done = ::read(m_fd.get(), bytes.data(), bytes.size());
    } while (done < 0 && errno == EINTR);
    return transferResult(done, bytes.size());
}

} // namespace lumvex::ddc
