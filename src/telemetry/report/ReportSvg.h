// SPDX-License-Identifier: MIT
#pragma once

#include "ReportDay.h"

#include <string>
#include <vector>

namespace lumvex::report {

// The plot of one day as an <svg> element: brightness, the loop's brightness, content luminance, ambient
// light on a log scale, the user's corrections and the loop's logged changes, and the application in front.
std::string renderDaySvg(const ReportDay &day);

// What the colours of the day plots mean, as an <svg> element.
std::string renderLegendSvg();

// The whole report as one SVG document: a title, the legend and the days one under the other.
std::string renderSvgReport(const std::vector<ReportDay> &days, const std::string &title);

} // namespace lumvex::report
