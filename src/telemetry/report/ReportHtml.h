// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"
#include "ReportDay.h"

#include <string>
#include <vector>

namespace lumvex::report {

// A self-contained page: what was read, the lines that could not be, a table of the days and a plot per day.
std::string renderHtmlReport(const Recording &recording, const std::vector<ReportDay> &days, const std::string &title);

} // namespace lumvex::report
