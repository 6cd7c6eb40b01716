// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lumvex {

// `lumvex ctl ARGS...`: drives a running Lumvex over the session bus. Exit status 0 on success, 1 when
// Lumvex is not running or refused the request (one line on err), 2 for bad usage. Its texts are in the
// user's language when `translations` names the catalogues' folder (relative to the program's).
int runCtlCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err,
                  const char *translations = nullptr);

} // namespace lumvex
