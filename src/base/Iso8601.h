// SPDX-License-Identifier: MIT
#pragma once

#include "Timestamp.h"

#include <string>

namespace lumvex {

// "2025-03-14T09:26:53Z", or "2025-03-14T09:26:53.589Z" with milliseconds; UTC, truncated, never rounded up.
std::string iso8601Utc(Timestamp moment, bool withMilliseconds = false);

} // namespace lumvex
