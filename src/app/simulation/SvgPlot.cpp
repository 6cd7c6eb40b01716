// SPDX-License-Identifier: MIT
#include "SvgPlot.h"

#include "base/Translation.h"
#include "telemetry/report/Markup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace lumvex::sim {

namespace {

constexpr double kDay = 86400.0;
constexpr double kWidth = 1000.0;
constexpr double kPanel = 150.0;
constexpr double kLeft = 60.0;
constexpr double kTop = 50.0;
constexpr double kGap = 30.0;

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

struct Panel
{
    double from = kDay;
    double to = 0.0;
    std::vector<const PlotPoint *> points;
};

} // namespace

std::string renderPlot(const RunResult &run, const std::string &title)
{
    std::map<long, Panel> panels;
    for (const PlotPoint &p : run.plot) {
        Panel &panel = panels[static_cast<long>(std::floor(p.t / kDay))];
        const double t = std::fmod(p.t, kDay);
        panel.from = std::min(panel.from, t);
        panel.to = std::max(panel.to, t);
        panel.points.push_back(&p);
    }
    const double height = kTop + static_cast<double>(panels.size()) * (kPanel + kGap) + 20;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(kWidth + kLeft + 20) +
                      "\" height=\"" + number(height) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + number(kLeft) + "\" y=\"20\" font-size=\"14\">" + report::escapeMarkup(title) + "</text>\n";
    const char *legend[][2] = {{"#999999", QT_TRANSLATE_NOOP("Simulate", "content luminance")},
                               {"#e6550d", QT_TRANSLATE_NOOP("Simulate", "brightness")},
                               {"#3182bd", QT_TRANSLATE_NOOP("Simulate", "perceived (brightness x luminance)")},
                               {"#31a354", QT_TRANSLATE_NOOP("Simulate", "preferred")},
                               {"#d62728", QT_TRANSLATE_NOOP("Simulate", "correction")}};
    double x = kLeft;
    for (const auto &[colour, source] : legend) {
        const std::string label = i18n::translate("Simulate", source);
        svg += "<rect x=\"" + number(x) + "\" y=\"30\" width=\"10\" height=\"10\" fill=\"" + colour + "\"/>";
        svg += "<text x=\"" + number(x + 14) + "\" y=\"39\">" + report::escapeMarkup(label) + "</text>\n";
        x += 40 + 6.5 * static_cast<double>(i18n::displayWidth(label));
    }

    double top = kTop;
    for (const auto &[day, panel] : panels) {
        const double span = std::max(panel.to - panel.from, 1.0);
        const auto px = [&](double t) { return kLeft + (std::fmod(t, kDay) - panel.from) / span * kWidth; };
        const auto py = [&](double v) { return top + kPanel - std::clamp(v, 0.0, 1.0) * kPanel; };
        // The perceived light lives below 0.4; its own scale makes it readable beside the 0...1 lines.
        const auto pyLight = [&](double v) { return py(v * 2.5); };
        svg += "<rect x=\"" + number(kLeft) + "\" y=\"" + number(top) + "\" width=\"" + number(kWidth) +
               "\" height=\"" + number(kPanel) + "\" fill=\"none\" stroke=\"#cccccc\"/>\n";
        char hours[32];
        std::snprintf(hours, sizeof hours, "%02d:%02d-%02d:%02d", static_cast<int>(panel.from / 3600),
                      static_cast<int>(std::fmod(panel.from, 3600) / 60), static_cast<int>(panel.to / 3600),
                      static_cast<int>(std::fmod(panel.to, 3600) / 60));
        const std::string label =
            i18n::arg(i18n::translate("Simulate", "day %1  %2"), {std::to_string(day + 1), hours});
        svg += "<text x=\"4\" y=\"" + number(top + 12) + "\">" + report::escapeMarkup(label) + "</text>\n";

        const auto line = [&](const char *colour, auto value, auto scale, const char *dash) {
            std::string path;
            for (const PlotPoint *p : panel.points) {
                path += (path.empty() ? "M" : " L") + number(px(p->t)) + "," + number(scale(value(*p)));
            }
            svg +=
                "<path d=\"" + path + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1\"" + dash + "/>\n";
        };
        line(
            "#999999", [](const PlotPoint &p) { return p.luminance; }, py, "");
        line(
            "#e6550d", [](const PlotPoint &p) { return p.brightness; }, py, "");
        line(
            "#3182bd", [](const PlotPoint &p) { return p.brightness * p.luminance; }, pyLight, "");
        line(
            "#31a354", [](const PlotPoint &p) { return p.preferred; }, pyLight, " stroke-dasharray=\"4 3\"");
        for (const Correction &c : run.corrections) {
            if (static_cast<long>(std::floor(c.t / kDay)) == day) {
                svg += "<circle cx=\"" + number(px(c.t)) + "\" cy=\"" + number(py(c.to)) +
                       "\" r=\"2.5\" fill=\"#d62728\"/>\n";
            }
        }
        top += kPanel + kGap;
    }
    svg += "</svg>\n";
    return svg;
}

} // namespace lumvex::sim
