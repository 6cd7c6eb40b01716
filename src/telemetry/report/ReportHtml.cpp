// SPDX-License-Identifier: MIT
#include "ReportHtml.h"

#include "Markup.h"
#include "ReportSvg.h"
#include "base/Translation.h"

namespace lumvex::report {

using i18n::arg;
using i18n::translate;

namespace {

constexpr const char *kStyle = R"(body { font-family: sans-serif; margin: 2em; color: #222; max-width: 1040px; }
h1 { font-size: 1.5em; } h2 { font-size: 1.1em; margin: 1.6em 0 0.3em; }
table { border-collapse: collapse; margin: 0.8em 0; }
th, td { padding: 0.2em 0.8em; border-bottom: 1px solid #ddd; text-align: right; }
th:first-child, td:first-child { text-align: left; }
.problems { background: #fff4e5; padding: 0.6em 1em; border-left: 4px solid #e6550d; }
.problems li { font-family: monospace; }
svg { display: block; }
)";

std::string hoursText(double seconds)
{
    return arg(translate("Report", "%1 h"), {i18n::localNumber(fixed(seconds / 3600.0, 1))});
}

} // namespace

std::string renderHtmlDay(const ReportDay &day)
{
    return "<section id=\"day-" + escapeMarkup(day.key) + "\">\n" + renderDaySvg(day) + "</section>\n";
}

std::string renderHtmlReport(const Recording &recording, const std::vector<ReportDay> &days, const std::string &title,
                             const std::string &sections)
{
    // The catalogue names its own language.
    //: The language code of this translation: de, fr, ...
    const std::string language = translate("Report", "en");
    std::string html = "<!DOCTYPE html>\n<html lang=\"" + escapeMarkup(language) +
                       "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + escapeMarkup(title) + "</title>\n<style>\n" +
                       kStyle + "</style>\n</head>\n<body>\n";
    html += "<h1>" + escapeMarkup(title) + "</h1>\n<p>" +
            escapeMarkup(arg(translate("Report", "%1 telemetry rows and %2 adjustment log rows from:"),
                             {std::to_string(recording.telemetryRows), std::to_string(recording.adjustments.size())})) +
            "</p>\n<ul>\n";
    for (const auto &file : recording.files) {
        html += "<li><code>" + escapeMarkup(file.string()) + "</code></li>\n";
    }
    html += "</ul>\n";
    for (const std::string &note : recording.notes) {
        html += "<p>" + escapeMarkup(note) + "</p>\n";
    }
    if (const int skipped = static_cast<int>(recording.problemCount); skipped > 0) {
        html += "<div class=\"problems\"><p>" +
                escapeMarkup(translate("Report", "%n line(s) skipped:", nullptr, skipped)) + "</p>\n<ul>\n";
        for (const Problem &problem : recording.problems) {
            html += "<li>" + escapeMarkup(problem.text()) + "</li>\n";
        }
        if (recording.problemCount > recording.problems.size()) {
            html += "<li>" +
                    escapeMarkup(arg(translate("Report", "and %1 more"),
                                     {std::to_string(recording.problemCount - recording.problems.size())})) +
                    "</li>\n";
        }
        html += "</ul></div>\n";
    }
    if (days.empty()) {
        html += "<p>" + escapeMarkup(translate("Report", "No rows to show.")) + "</p>\n</body>\n</html>\n";
        return html;
    }

    html += "<table>\n<tr>";
    for (const char *heading :
         {QT_TRANSLATE_NOOP("Report", "Day"), QT_TRANSLATE_NOOP("Report", "Recorded"),
          QT_TRANSLATE_NOOP("Report", "Sessions"), QT_TRANSLATE_NOOP("Report", "Corrections"),
          QT_TRANSLATE_NOOP("Report", "Automatic changes"), QT_TRANSLATE_NOOP("Report", "Mean brightness"),
          QT_TRANSLATE_NOOP("Report", "Most in front")}) {
        html += "<th>" + escapeMarkup(translate("Report", heading)) + "</th>";
    }
    html += "</tr>\n";
    for (const ReportDay &day : days) {
        html += "<tr><td><a href=\"#day-" + escapeMarkup(day.key) + "\">" + escapeMarkup(weekdayName(day.weekday)) +
                " " + escapeMarkup(day.key) + "</a></td><td>" + hoursText(day.recordedSeconds) + "</td><td>" +
                std::to_string(day.sessions) + "</td><td>" + std::to_string(day.manualCorrections) + "</td><td>" +
                std::to_string(day.automaticWrites) + "</td><td>" +
                (day.meanBrightness ? fixed(*day.meanBrightness * 100.0, 0) + " %" : std::string("-")) + "</td><td>" +
                (day.apps.empty() ? std::string("-") : escapeMarkup(day.apps.front().first)) + "</td></tr>\n";
    }
    html += "</table>\n" + renderLegendSvg() + sections;
    html += "</body>\n</html>\n";
    return html;
}

} // namespace lumvex::report
