// SPDX-License-Identifier: MIT
#include "BusLock.h"

#include "base/Files.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace lumvex::ddc {

namespace {

constexpr std::chrono::milliseconds kPollInterval{5};
// A stored moment further ahead than any pause is left from another boot or is damaged.
constexpr std::chrono::seconds kLongestPause{1};

std::optional<DdcClock::TimePoint> readMoment(int fd)
{
    char buffer[32] = {};
    const ssize_t size = ::pread(fd, buffer, sizeof buffer - 1, 0);
    long long nanoseconds = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + std::max<ssize_t>(size, 0), nanoseconds);
    if (size <= 0 || error != std::errc()) {
        return std::nullopt;
    }
    return DdcClock::TimePoint(std::chrono::nanoseconds(nanoseconds));
}

} // namespace

std::optional<BusLock> BusLock::acquire(const std::filesystem::path &folder, int bus, DdcClock &clock,
                                        std::chrono::milliseconds patience, Failure &failure)
{
    failure = Failure::Unavailable;
    if (!files::makePrivateDirectories(folder)) {
        return std::nullopt;
    }
    const std::filesystem::path file = folder / ("i2c-" + std::to_string(bus) + ".lock");
    UniqueFd fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd) {
        return std::nullopt;
    }
    const DdcClock::TimePoint deadline = clock.now() + patience;
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || clock.now() >= deadline) {
            failure = errno == EWOULDBLOCK ? Failure::Busy : Failure::Unavailable;
            return std::nullopt;
        }
        clock.sleepUntil(clock.now() + kPollInterval);
    }
    failure = Failure::None;
    DdcClock::TimePoint quietUntil = clock.now();
    if (const std::optional<DdcClock::TimePoint> stored = readMoment(fd.get());
        stored && *stored > quietUntil && *stored <= quietUntil + kLongestPause) {
        quietUntil = *stored;
    }
    return BusLock(std::move(fd), quietUntil);
}

void BusLock::setQuietUntil(DdcClock::TimePoint moment)
{
    m_quietUntil = moment;
    const std::string text =
        std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(moment.time_since_epoch()).count());
    // Best effort: a next run that misses the moment may find the display busy, and retries.
    if (::ftruncate(m_fd.get(), 0) == 0 && ::lseek(m_fd.get(), 0, SEEK_SET) == 0) {
        files::writeAll(m_fd.get(), text);
    }
}

} // namespace lumvex::ddc
