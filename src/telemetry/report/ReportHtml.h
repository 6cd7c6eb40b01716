// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"
#include "ReportDay.h"

#include <string>
#include <vector>

namespace lumvex::report {

// A day's section of the page: its plot.
std::string renderHtmlDay(const ReportDay &day);

// A self-contained page: what was read, the lines that could not be, a table of the days (their summaries)
// and the sections of the days.
std::string renderHtmlReport(const Recording &recording, const std::vector<ReportDay> &days, const std::string &title,
                             const std::string &sections);

} // namespace lumvex::report
