// SPDX-License-Identifier: MIT
#include "SingleInstance.h"

#include "base/Files.h"

#include <fcntl.h>
#include <sys/file.h>

namespace lumvex {

SingleInstance::SingleInstance(const std::filesystem::path &lockFile)
{
    files::makePrivateDirectories(lockFile.parent_path());
    UniqueFd fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600));
    // Without a lock file to hold (a read-only runtime folder) there is no way to tell; run anyway.
    if (!fd || ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
        m_lock = fd ? std::move(fd) : UniqueFd(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    }
}

} // namespace lumvex
