// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

namespace lumvex::ddc {

// The pauses DDC/CI asks of the host, and how often an exchange is tried.
struct DdcTimings
{
    // Between a Get VCP Feature request and reading the reply: the display prepares it meanwhile.
    std::chrono::milliseconds replyDelay{40};
    // After a Set VCP Feature, before the next message: the display is busy applying it.
    std::chrono::milliseconds writeDelay{50};
    // Before trying again after a failed exchange.
    std::chrono::milliseconds retryDelay{50};
    // Exchanges tried per request; the second catches a display that was busy or a corrupted byte.
    int attempts = 2;
};

} // namespace lumvex::ddc
