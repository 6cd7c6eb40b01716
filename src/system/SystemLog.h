// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumvex {

// Writes one line to the system log (syslog, which reaches the journal).
void writeSystemLog(const std::string &line);
// The same at warning level: something the user has to act on.
void writeSystemWarning(const std::string &line);

} // namespace lumvex
