// SPDX-License-Identifier: MIT
#include "SystemLog.h"

#include <syslog.h>

namespace lumvex {

void writeSystemLog(const std::string &line)
{
    ::syslog(LOG_USER | LOG_NOTICE, "%s", line.c_str());
}

void writeSystemWarning(const std::string &line)
{
    ::syslog(LOG_USER | LOG_WARNING, "%s", line.c_str());
}

} // namespace lumvex
