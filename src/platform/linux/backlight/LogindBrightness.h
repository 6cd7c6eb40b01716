// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumvex::backlight {

// Asks the login manager on the system bus to set a backlight device of the caller's session, which needs
// no write access to the device. The login manager answers once the value is on the device; the call
// waits for that answer, at most timeoutMs. Returns whether it succeeded.
bool setThroughLogind(const std::string &device, long raw, int timeoutMs = 1000);

} // namespace lumvex::backlight
