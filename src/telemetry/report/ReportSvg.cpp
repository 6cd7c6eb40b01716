// SPDX-License-Identifier: MIT
#include "ReportSvg.h"

#include "Markup.h"
#include "base/Translation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

namespace lumvex::report {

namespace {

constexpr double kWidth = 1000.0;
constexpr double kLeft = 46.0;
constexpr double kRight = 54.0;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kTop = 30.0;
constexpr double kPlotHeight = 190.0;
constexpr double kStripTop = kTop + kPlotHeight + 6.0;
constexpr double kStripHeight = 8.0;
constexpr double kHoursBaseline = kStripTop + kStripHeight + 14.0;
constexpr double kAppsBaseline = kHoursBaseline + 18.0;
constexpr double kDayHeight = kAppsBaseline + 12.0;
constexpr double kLegendHeight = 40.0;
constexpr double kSvgHeader = 30.0; // the title of a report drawn as one image
constexpr double kLuxDecades = 5.0; // the right axis spans 0 to 100 000 lux
// Adjustment rows come only when the brightness moved, so only long silences break their line.
constexpr double kMaxLogGap = 15 * 60.0;

constexpr const char *kBrightness = "#e6550d";
constexpr const char *kLoop = "#a63603";
constexpr const char *kLumSlow = "#3182bd";
constexpr const char *kLumRaw = "#9ecae1";
constexpr const char *kAmbient = "#31a354";
constexpr const char *kPerceived = "#252525";
constexpr const char *kManual = "#d62728";
constexpr const char *kAutomatic = "#756bb1";
constexpr std::array<const char *, 8> kAppColours{"#8dd3c7", "#bebada", "#fb8072", "#80b1d3",
                                                  "#fdb462", "#b3de69", "#fccde5", "#bc80bd"};
constexpr const char *kOtherApps = "#d9d9d9";

// The day's applications in front longest get a colour each, the rest share grey.
const char *appColour(const ReportDay &day, const std::string &app)
{
    for (std::size_t i = 0; i < day.apps.size() && i < kAppColours.size(); ++i) {
        if (day.apps[i].first == app) {
            return kAppColours[i];
        }
    }
    return kOtherApps;
}

// At most `limit` bytes of the name, cut between characters.
std::string shortened(const std::string &name, std::size_t limit)
{
    if (name.size() <= limit) {
        return name;
    }
    std::size_t cut = limit - 3;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return name.substr(0, cut) + "...";
}

std::string duration(double seconds)
{
    const auto minutes = static_cast<long>(std::lround(seconds / 60.0));
    if (minutes < 1) {
        return i18n::arg(i18n::translate("Report", "%1 s"), {fixed(seconds, 0)});
    }
    if (minutes < 60) {
        return i18n::arg(i18n::translate("Report", "%1 min"), {std::to_string(minutes)});
    }
    return i18n::arg(i18n::translate("Report", "%1 h %2 min"),
                     {std::to_string(minutes / 60), std::to_string(minutes % 60)});
}

std::string percent(double level)
{
    return fixed(level * 100.0, 0) + " %";
}

// The time span of a day's plot, whole steps of its grid, and the mapping of values onto it.
struct Frame
{
    double from = 0.0;
    double to = 3600.0;
    double step = 3600.0; // between grid lines

    double x(double tod) const { return kLeft + (tod - from) / (to - from) * kPlotWidth; }
    static double y(double level) { return kTop + kPlotHeight * (1.0 - std::clamp(level, 0.0, 1.0)); }
    static double yLux(double lux) { return y(std::log10(std::max(lux, 0.0) + 1.0) / kLuxDecades); }
};

// From the first row to the last, so a short recording fills the plot and the gaps between a day's
// recordings stay where they were; at most 12 grid steps.
Frame frameOf(const ReportDay &day)
{
    double first = std::numeric_limits<double>::max();
    double last = std::numeric_limits<double>::lowest();
    for (const auto &p : day.telemetry) {
        first = std::min(first, p.tod);
        last = std::max(last, p.tod);
    }
    for (const auto &a : day.adjustments) {
        first = std::min(first, a.tod);
        last = std::max(last, a.tod);
    }
    Frame frame;
    if (first > last) {
        return frame;
    }
    for (const double step :
         {10.0, 30.0, 60.0, 120.0, 300.0, 600.0, 900.0, 1800.0, 3600.0, 7200.0, 10800.0, 14400.0, 21600.0}) {
        frame.step = step;
        frame.from = std::floor(first / step) * step;
        frame.to = std::max(std::ceil(last / step) * step, frame.from + step);
        if (frame.to - frame.from <= 12.0 * step) {
            break;
        }
    }
    return frame;
}

// A polyline in screen units reduced to what the plot can show: of the points falling into two pixel columns
// it keeps the lowest and the highest, in their order (one when they are less than half a pixel apart), on
// whole pixels, so a day of rows draws with about a point per column and a spike of a single row stays
// visible.
class Polyline
{
public:
    void add(double x, double y)
    {
        const Vertex v{x, y, m_order++};
        const auto column = static_cast<long>(std::floor(x / 2.0));
        if (m_open && column == m_column) {
            if (y < m_low.y) {
                m_low = v;
            }
            if (y > m_high.y) {
                m_high = v;
            }
            return;
        }
        flush();
        m_open = true;
        m_column = column;
        m_low = m_high = v;
    }

    void interrupt()
    {
        flush();
        m_newPiece = true;
    }

    std::string element(const char *colour, double width, const char *extra = "")
    {
        flush();
        if (m_d.empty()) {
            return {};
        }
        return "<path d=\"" + m_d + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + fixed(width) +
               "\" stroke-linejoin=\"round\"" + extra + "/>\n";
    }

private:
    struct Vertex
    {
        double x = 0.0;
        double y = 0.0;
        long order = 0;
    };

    void point(const Vertex &v)
    {
        m_d += (m_newPiece ? "M" : "L") + fixed(v.x, 0) + "," + fixed(v.y, 0);
        m_newPiece = false;
    }

    void flush()
    {
        if (!m_open) {
            return;
        }
        const bool lowFirst = m_low.order <= m_high.order;
        point(lowFirst ? m_low : m_high);
        if (m_high.y - m_low.y >= 0.5) {
            point(lowFirst ? m_high : m_low);
        }
        m_open = false;
    }

    std::string m_d;
    bool m_newPiece = true;
    bool m_open = false;
    long m_column = 0;
    long m_order = 0;
    Vertex m_low, m_high;
};

template<typename Value, typename Scale>
std::string telemetryLine(const ReportDay &day, const Frame &frame, Value value, Scale scale, const char *colour,
                          double width, const char *extra = "")
{
    Polyline line;
    double previous = -std::numeric_limits<double>::infinity();
    for (const DayRow &p : day.telemetry) {
        const double v = value(p);
        if (std::isnan(v) || p.tod - previous > ReportDay::kMaxRowGap) {
            line.interrupt();
        }
        if (!std::isnan(v)) {
            line.add(frame.x(p.tod), scale(v));
        }
        previous = p.tod;
    }
    return line.element(colour, width, extra);
}

// Without telemetry the adjustment log alone tells the brightness (as steps) and the luminance the loop saw.
std::string adjustmentLines(const ReportDay &day, const Frame &frame)
{
    Polyline brightness;
    Polyline luminance;
    double previous = -std::numeric_limits<double>::infinity();
    for (const auto &a : day.adjustments) {
        if (a.tod - previous > kMaxLogGap) {
            brightness.interrupt();
            luminance.interrupt();
        }
        brightness.add(frame.x(a.tod), Frame::y(a.row->before));
        brightness.add(frame.x(a.tod) + 0.01, Frame::y(a.row->after));
        luminance.add(frame.x(a.tod), Frame::y(a.row->luminance));
        previous = a.tod;
    }
    return luminance.element(kLumSlow, 1.2) + brightness.element(kBrightness, 1.5);
}

// A line from the level before to the level after, with a tip at the end, in a group that gives the colour.
std::string correctionMarker(double x, double before, double after, const std::string &label)
{
    const double y1 = Frame::y(after);
    const double tip = after >= before ? -5.0 : 5.0;
    return "<path d=\"M" + fixed(x) + "," + fixed(Frame::y(before)) + "V" + fixed(y1) + "M" + fixed(x) + "," +
           fixed(y1 + tip) + "l-4," + fixed(-1.6 * tip) + "h8z\"><title>" + escapeMarkup(label) + "</title></path>\n";
}

std::string markers(const ReportDay &day, const Frame &frame)
{
    std::string corrections;
    // The loop's logged writes come by the hundred: a bar along the top edge over the pixel columns that
    // have any, in one path.
    std::string rug;
    long runStart = 0;
    long runEnd = -2;
    const auto endRun = [&] {
        if (runEnd >= runStart) {
            rug += "M" + std::to_string(runStart) + "," + fixed(kTop + 3.0, 0) + "h" +
                   std::to_string(runEnd - runStart + 1);
        }
    };
    for (const auto &a : day.adjustments) {
        const Adjustment &row = *a.row;
        const auto column = static_cast<long>(std::floor(frame.x(a.tod)));
        if (isUserCorrection(row.source)) {
            corrections += correctionMarker(
                frame.x(a.tod), row.before, row.after,
                i18n::arg(i18n::translate("Report", "%1 %2: %3 to %4"),
                          {clockTime(a.tod, true), logText(row.source), percent(row.before), percent(row.after)}));
        } else if (column > runEnd + 1) {
            endRun();
            runStart = runEnd = column;
        } else {
            runEnd = std::max(runEnd, column);
        }
    }
    endRun();
    std::string svg;
    if (!rug.empty()) {
        svg += "<path d=\"" + rug + "\" stroke=\"" + kAutomatic + "\" stroke-width=\"6\" stroke-opacity=\"0.6\"/>\n";
    }
    // Without the log, the manual changes that the telemetry saw stand in for the corrections.
    for (const DayRow &p : day.telemetry) {
        if (day.adjustments.empty() && p.manualChange) {
            corrections += correctionMarker(frame.x(p.tod), p.bBefore, p.bAfter,
                                            i18n::arg(i18n::translate("Report", "%1 manual change: %2 to %3"),
                                                      {clockTime(p.tod, true), percent(p.bBefore), percent(p.bAfter)}));
        }
    }
    if (!corrections.empty()) {
        svg += std::string("<g fill=\"") + kManual + "\" stroke=\"" + kManual + "\" stroke-width=\"1\">\n" +
               corrections + "</g>\n";
    }
    return svg;
}

std::string appStrip(const ReportDay &day, const Frame &frame)
{
    // The stretches of each application, one path per application.
    std::map<const std::string *, std::string> stretches;
    const auto &rows = day.telemetry;
    double drawnTo = 0.0;
    for (std::size_t i = 0; i + 1 < rows.size();) {
        const std::string *app = day.appName(rows[i]);
        std::size_t end = i + 1;
        while (end < rows.size() && rows[end].tod - rows[end - 1].tod <= ReportDay::kMaxRowGap &&
               rows[end - 1].app == rows[i].app) {
            ++end;
        }
        // The segment runs to the row that ended it: a switch, or the last row before a gap.
        const std::size_t stop =
            end < rows.size() && rows[end].tod - rows[end - 1].tod <= ReportDay::kMaxRowGap ? end : end - 1;
        // Switches faster than a pixel column: the first application of the column stands for it.
        const double x0 = std::max(frame.x(rows[i].tod), drawnTo);
        const double x1 = frame.x(rows[stop].tod);
        if (app && stop > i && x1 > drawnTo) {
            drawnTo = std::max(x1, x0 + 0.5);
            const std::string width = fixed(std::max(x1 - x0, 0.5));
            stretches[app] += "M" + fixed(x0) + "," + fixed(kStripTop, 0) + "h" + width + "v" + fixed(kStripHeight, 0) +
                              "h-" + width + "z";
        }
        i = end;
    }
    std::string svg;
    for (const auto &[app, d] : stretches) {
        svg += "<path d=\"" + d + "\" fill=\"" + appColour(day, *app) + "\"><title>" + escapeMarkup(*app) +
               "</title></path>\n";
    }
    double x = kLeft;
    for (const auto &[app, seconds] : day.apps) {
        if (x > kWidth - 160.0 || appColour(day, app) == kOtherApps) {
            break;
        }
        const std::string label = shortened(app, 30);
        svg += "<rect x=\"" + fixed(x) + "\" y=\"" + fixed(kAppsBaseline - 8) + "\" width=\"8\" height=\"8\" fill=\"" +
               appColour(day, app) + "\"/><text x=\"" + fixed(x + 11) + "\" y=\"" + fixed(kAppsBaseline) + "\">" +
               escapeMarkup(label) + " " + duration(seconds) + "</text>\n";
        x += 30.0 + 6.0 * static_cast<double>(label.size() + duration(seconds).size());
    }
    return svg;
}

std::string axes(const Frame &frame)
{
    std::string svg = "<rect x=\"" + fixed(kLeft) + "\" y=\"" + fixed(kTop) + "\" width=\"" + fixed(kPlotWidth) +
                      "\" height=\"" + fixed(kPlotHeight) + "\" fill=\"#fcfcfc\" stroke=\"#bbbbbb\"/>\n";
    for (const double level : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const double y = Frame::y(level);
        if (level > 0.0 && level < 1.0) {
            svg += "<line x1=\"" + fixed(kLeft) + "\" y1=\"" + fixed(y) + "\" x2=\"" + fixed(kLeft + kPlotWidth) +
                   "\" y2=\"" + fixed(y) + "\" stroke=\"#e8e8e8\"/>\n";
        }
        svg += "<text x=\"" + fixed(kLeft - 4) + "\" y=\"" + fixed(y + 4) + "\" text-anchor=\"end\">" + percent(level) +
               "</text>\n";
    }
    for (const auto &[lux, label] : std::array<std::pair<double, const char *>, 5>{
             {{1, "1"}, {10, "10"}, {100, "100"}, {1000, "1k"}, {10000, "10k"}}}) {
        svg += "<text x=\"" + fixed(kLeft + kPlotWidth + 4) + "\" y=\"" + fixed(Frame::yLux(lux) + 4) + "\" fill=\"" +
               kAmbient + "\">" + label + " lx</text>\n";
    }
    for (double tod = frame.from; tod <= frame.to + 1.0; tod += frame.step) {
        const double x = frame.x(tod);
        svg += "<line x1=\"" + fixed(x) + "\" y1=\"" + fixed(kTop) + "\" x2=\"" + fixed(x) + "\" y2=\"" +
               fixed(kTop + kPlotHeight) + "\" stroke=\"#e8e8e8\"/><text x=\"" + fixed(x) + "\" y=\"" +
               fixed(kHoursBaseline) + "\" text-anchor=\"middle\">" +
               clockTime(std::fmod(tod, 86400.0), frame.step < 60.0) + "</text>\n";
    }
    return svg;
}

std::string dayContent(const ReportDay &day)
{
    const Frame frame = frameOf(day);
    std::string summary =
        (day.telemetry.empty() ? i18n::translate("Report", "no telemetry")
                               : i18n::arg(i18n::translate("Report", "%1 recorded"), {duration(day.recordedSeconds)})) +
        ", " + i18n::translate("Report", "%n correction(s)", nullptr, day.manualCorrections) + ", " +
        i18n::translate("Report", "%n logged automatic change(s)", nullptr, day.automaticWrites);
    if (day.meanBrightness) {
        summary += ", " + i18n::arg(i18n::translate("Report", "mean brightness %1"), {percent(*day.meanBrightness)});
    }
    summary = escapeMarkup(summary);
    std::string svg = "<text x=\"" + fixed(kLeft) + "\" y=\"18\" font-size=\"13\" font-weight=\"bold\">" +
                      escapeMarkup(weekdayName(day.weekday)) + " " + escapeMarkup(day.key) + "</text>\n";
    svg += "<text x=\"" + fixed(kLeft + kPlotWidth) + "\" y=\"18\" text-anchor=\"end\" fill=\"#555555\">" + summary +
           "</text>\n";
    svg += axes(frame);
    svg += telemetryLine(
        day, frame, [](const DayRow &p) { return p.ambLux; }, Frame::yLux, kAmbient, 1.2);
    svg += telemetryLine(
        day, frame, [](const DayRow &p) { return p.lumRaw; }, Frame::y, kLumRaw, 0.8);
    svg += telemetryLine(
        day, frame, [](const DayRow &p) { return p.lumSlow; }, Frame::y, kLumSlow, 1.2);
    svg += telemetryLine(
        day, frame, [](const DayRow &p) { return p.brightness * p.lumSlow; }, Frame::y, kPerceived, 1.0);
    svg += telemetryLine(
        day, frame, [](const DayRow &p) { return p.bLoop; }, Frame::y, kLoop, 0.9, " stroke-dasharray=\"4 3\"");
    svg += telemetryLine(
        day, frame, [](const DayRow &p) { return p.brightness; }, Frame::y, kBrightness, 1.5);
    if (day.telemetry.empty()) {
        svg += adjustmentLines(day, frame);
    }
    svg += markers(day, frame);
    svg += appStrip(day, frame);
    return svg;
}

std::string legendContent()
{
    struct Item
    {
        const char *colour;
        const char *label;
        const char *kind; // a line, a dashed line, a correction marker, a tick of the loop or an application
    };
    constexpr std::array<std::array<Item, 4>, 2> rows{{
        {{{kBrightness, QT_TRANSLATE_NOOP("Report", "brightness"), "line"},
          {kLoop, QT_TRANSLATE_NOOP("Report", "loop's brightness"), "dashed"},
          {kPerceived, QT_TRANSLATE_NOOP("Report", "perceived light (brightness x luminance)"), "line"},
          {kAmbient, QT_TRANSLATE_NOOP("Report", "ambient light (right axis, log)"), "line"}}},
        {{{kLumSlow, QT_TRANSLATE_NOOP("Report", "content luminance (slow)"), "line"},
          {kLumRaw, QT_TRANSLATE_NOOP("Report", "content luminance (raw)"), "line"},
          {kManual, QT_TRANSLATE_NOOP("Report", "your correction"), "marker"},
          {kAutomatic, QT_TRANSLATE_NOOP("Report", "brightness write logged by the loop"), "tick"}}},
    }};
    std::string svg;
    double y = 12.0;
    for (const auto &row : rows) {
        double x = kLeft;
        for (const Item &item : row) {
            const std::string_view kind = item.kind;
            if (kind == "marker") {
                svg += "<path d=\"M" + fixed(x + 8) + "," + fixed(y - 5) + "L" + fixed(x + 4) + "," + fixed(y + 3) +
                       "L" + fixed(x + 12) + "," + fixed(y + 3) + "Z\" fill=\"" + item.colour + "\"/>";
            } else if (kind == "tick") {
                svg += "<path d=\"M" + fixed(x + 6) + "," + fixed(y - 5) + "v8M" + fixed(x + 10) + "," + fixed(y - 5) +
                       "v8\" stroke=\"" + item.colour + "\" stroke-width=\"1.5\"/>";
            } else {
                svg += "<line x1=\"" + fixed(x) + "\" y1=\"" + fixed(y) + "\" x2=\"" + fixed(x + 16) + "\" y2=\"" +
                       fixed(y) + "\" stroke=\"" + item.colour + "\" stroke-width=\"3\"" +
                       (kind == "dashed" ? " stroke-dasharray=\"4 2\"" : "") + "/>";
            }
            const std::string label = i18n::translate("Report", item.label);
            svg += "<text x=\"" + fixed(x + 20) + "\" y=\"" + fixed(y + 4) + "\">" + escapeMarkup(label) + "</text>\n";
            x += 36.0 + 5.8 * static_cast<double>(label.size());
        }
        y += 17.0;
    }
    return svg;
}

std::string svgOpen(double height)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + fixed(kWidth, 0) + "\" height=\"" + fixed(height, 0) +
           "\" viewBox=\"0 0 " + fixed(kWidth, 0) + " " + fixed(height, 0) +
           "\" font-family=\"sans-serif\" font-size=\"11\">\n";
}

} // namespace

std::string renderDaySvg(const ReportDay &day)
{
    return svgOpen(kDayHeight) + dayContent(day) + "</svg>\n";
}

std::string renderLegendSvg()
{
    return svgOpen(kLegendHeight) + legendContent() + "</svg>\n";
}

std::string renderSvgReportDay(const ReportDay &day, std::size_t index)
{
    const double top = kSvgHeader + kLegendHeight + static_cast<double>(index) * kDayHeight;
    return "<g transform=\"translate(0," + fixed(top) + ")\">\n" + dayContent(day) + "</g>\n";
}

std::string renderSvgReport(std::size_t dayCount, const std::string &title, const std::string &days)
{
    const double height = kSvgHeader + kLegendHeight + static_cast<double>(dayCount) * kDayHeight + 10.0;
    std::string svg = svgOpen(height);
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + fixed(kLeft) + "\" y=\"22\" font-size=\"16\" font-weight=\"bold\">" + escapeMarkup(title) +
           "</text>\n";
    svg += "<g transform=\"translate(0," + fixed(kSvgHeader) + ")\">\n" + legendContent() + "</g>\n";
    svg += days;
    svg += "</svg>\n";
    return svg;
}

} // namespace lumvex::report
