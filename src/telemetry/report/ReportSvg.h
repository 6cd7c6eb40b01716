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

// The whole report as one SVG document: a title, the legend and the days one under the other, each drawn
// by renderSvgReportDay with its place in the list.
std::string renderSvgReportDay(const ReportDay &day, std::size_t index);
std::string renderSvgReport(std::size_t dayCount, const std::string &title, const std::string &days);

} // namespace lumvex::report
