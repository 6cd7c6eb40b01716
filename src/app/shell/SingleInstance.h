// SPDX-License-Identifier: MIT
#pragma once

#include "base/UniqueFd.h"

#include <filesystem>

namespace lumvex {

// One Lumvex per user: an exclusive lock on a file in the runtime folder, held for the life of the
// process and released by the kernel however the process ends.
class SingleInstance
{
public:
    explicit SingleInstance(const std::filesystem::path &lockFile);

    // False when another process holds the lock.
    bool isFirst() const { return static_cast<bool>(m_lock); }

private:
    UniqueFd m_lock;
};

} // namespace lumvex
