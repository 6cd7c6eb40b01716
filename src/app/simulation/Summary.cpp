// SPDX-License-Identifier: MIT
#include "Summary.h"

#include "base/Translation.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace lumvex::sim {

using i18n::arg;
using i18n::displayWidth;
using i18n::padRight;
using i18n::translate;

namespace {

// One column group of the table and one column of the CSV; a new figure is one more line here.
struct Metric
{
    const char *title;
    const char *csvName;
    const char *format;
    bool brief; // among the columns people compare first
    double (*value)(const DayResult &);
    // Where a run wrote to a monitor over DDC/CI, the brief table trades the 95th percentile for its writes.
    enum class OverDdc { same, inBrief, notInBrief } overDdc = OverDdc::same;
};

// The titles are translated where the table is printed; the CSV's names never are.
const Metric kMetrics[] = {
    {QT_TRANSLATE_NOOP("Simulate", "corrections"), "corrections", "%.0f", true,
     [](const DayResult &d) { return static_cast<double>(d.corrections); }},
    {QT_TRANSLATE_NOOP("Simulate", "mean |P-pref|"), "mean_error", "%.4f", true,
     [](const DayResult &d) { return d.meanError; }},
    {QT_TRANSLATE_NOOP("Simulate", "p95 |P-pref|"), "p95_error", "%.4f", true,
     [](const DayResult &d) { return d.p95Error; }, Metric::OverDdc::notInBrief},
    {QT_TRANSLATE_NOOP("Simulate", "CV of BxL"), "cv_bxl", "%.3f", false,
     [](const DayResult &d) { return d.variation; }},
    {QT_TRANSLATE_NOOP("Simulate", "writes"), "writes", "%.0f", false,
     [](const DayResult &d) { return static_cast<double>(d.writes); }},
    {QT_TRANSLATE_NOOP("Simulate", "display writes"), "display_writes", "%.0f", false,
     [](const DayResult &d) { return static_cast<double>(d.displayWrites); }, Metric::OverDdc::inBrief},
    {QT_TRANSLATE_NOOP("Simulate", "desktop changes learned"), "desktop_changes_learned", "%.0f", false,
     [](const DayResult &d) { return static_cast<double>(d.desktopChangesLearned); }},
    {QT_TRANSLATE_NOOP("Simulate", "user changes lost"), "user_changes_lost", "%.0f", false,
     [](const DayResult &d) { return static_cast<double>(d.userChangesLost); }},
    {QT_TRANSLATE_NOOP("Simulate", "choices taken back"), "choices_taken_back", "%.0f", false,
     [](const DayResult &d) { return static_cast<double>(d.choicesTakenBack); }},
};

// How the sentence names each strategy.
std::string strategyPhrase(Strategy strategy)
{
    switch (strategy) {
    case Strategy::lumvex:
        return translate("Simulate", "with Lumvex");
    case Strategy::fixed:
        return translate("Simulate", "with fixed brightness");
    case Strategy::ambientOnly:
        return translate("Simulate", "with an ambient-only curve");
    }
    return strategyName(strategy);
}

std::string cell(const char *format, double value, int width)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return i18n::padLeft(text, width);
}

DayResult total(const RunResult &run)
{
    // Counts add up; the other figures are weighted by active time.
    DayResult sum;
    for (const DayResult &d : run.days) {
        sum.corrections += d.corrections;
        sum.writes += d.writes;
        sum.displayWrites += d.displayWrites;
        sum.desktopChangesLearned += d.desktopChangesLearned;
        sum.userChangesLost += d.userChangesLost;
        sum.choicesTakenBack += d.choicesTakenBack;
        sum.meanError += d.meanError * d.activeSeconds;
        sum.p95Error += d.p95Error * d.activeSeconds;
        sum.variation += d.variation * d.activeSeconds;
        sum.activeSeconds += d.activeSeconds;
    }
    if (sum.activeSeconds > 0) {
        sum.meanError /= sum.activeSeconds;
        sum.p95Error /= sum.activeSeconds;
        sum.variation /= sum.activeSeconds;
    }
    return sum;
}

} // namespace

std::string summarySentence(const std::vector<RunResult> &runs)
{
    if (runs.empty()) {
        return {};
    }
    const int days = static_cast<int>(runs.front().days.size());
    std::string list;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int n = total(runs[i]).corrections;
        const std::string count = i == 0 ? translate("Simulate", "%n time(s)", nullptr, n) : std::to_string(n);
        const std::string item = count + " " + strategyPhrase(runs[i].strategy);
        list = i == 0                ? item
               : i + 1 < runs.size() ? list + ", " + item
                                     : arg(translate("Simulate", "%1 and %2"), {list, item});
    }
    return arg(translate("Simulate", "Over %1 the simulated user corrected the brightness %2."),
               {translate("Simulate", "%n day(s)", nullptr, days), list});
}

std::string summaryCsv(const std::vector<RunResult> &runs)
{
    std::string csv = "day,strategy";
    for (const Metric &m : kMetrics) {
        csv += std::string(",") + m.csvName;
    }
    csv += '\n';
    const auto row = [&](const std::string &day, const RunResult &run, const DayResult &d) {
        csv += day + "," + strategyName(run.strategy);
        for (const Metric &m : kMetrics) {
            csv += "," + cell(m.format, m.value(d), 0);
        }
        csv += '\n';
    };
    for (const RunResult &run : runs) {
        for (std::size_t d = 0; d < run.days.size(); ++d) {
            row(std::to_string(d + 1), run, run.days[d]);
        }
    }
    for (const RunResult &run : runs) {
        row("all", run, total(run));
    }
    return csv;
}

void printSummary(std::ostream &out, const std::vector<RunResult> &runs, TableWidth width)
{
    if (runs.empty()) {
        return;
    }
    const bool overDdc = std::ranges::any_of(runs, [](const RunResult &run) { return total(run).displayWrites > 0; });
    std::vector<Metric> metrics;
    std::copy_if(std::begin(kMetrics), std::end(kMetrics), std::back_inserter(metrics), [&](const Metric &m) {
        if (width == TableWidth::full) {
            return true;
        }
        return overDdc && m.overDdc != Metric::OverDdc::same ? m.overDdc == Metric::OverDdc::inBrief : m.brief;
    });
    constexpr int kColumn = 9;
    // A title wider than its columns widens them.
    std::vector<std::string> titles;
    std::vector<std::string> widening;
    for (const Metric &m : metrics) {
        titles.push_back(translate("Simulate", m.title));
        const int extra = displayWidth(titles.back()) - kColumn * static_cast<int>(runs.size());
        widening.emplace_back(static_cast<std::size_t>(std::max(0, extra)), ' ');
    }
    const std::string dayLabel = translate("Simulate", "day");
    const std::string allLabel = translate("Simulate", "all");
    const int labelWidth = std::max({5, displayWidth(dayLabel), displayWidth(allLabel)});
    std::string line = padRight(dayLabel, labelWidth);
    for (std::size_t i = 0; i < metrics.size(); ++i) {
        line += " | " + padRight(titles[i], kColumn * static_cast<int>(runs.size()));
    }
    out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
    if (runs.size() > 1) {
        line = padRight("", labelWidth);
        for (std::size_t i = 0; i < metrics.size(); ++i) {
            line += " | " + widening[i];
            for (const RunResult &run : runs) {
                line += std::string(static_cast<std::size_t>(kColumn) -
                                        std::min<std::size_t>(kColumn, strategyName(run.strategy).size()),
                                    ' ') +
                        strategyName(run.strategy);
            }
        }
        out << line << '\n';
    }
    out << std::string(static_cast<std::size_t>(displayWidth(line)), '-') << '\n';

    const auto row = [&](const std::string &label, auto dayOf) {
        std::string text = padRight(label, labelWidth);
        for (std::size_t i = 0; i < metrics.size(); ++i) {
            text += " | " + widening[i];
            for (const RunResult &run : runs) {
                text += cell(metrics[i].format, metrics[i].value(dayOf(run)), kColumn);
            }
        }
        out << text << '\n';
    };
    for (std::size_t d = 0; d < runs.front().days.size(); ++d) {
        row(std::to_string(d + 1), [d](const RunResult &run) { return run.days[d]; });
    }
    out << std::string(static_cast<std::size_t>(displayWidth(line)), '-') << '\n';
    row(allLabel, [](const RunResult &run) { return total(run); });
}

std::string choicesTakenBackLine(const std::vector<std::reference_wrapper<const std::vector<RunResult>>> &runsPerUser)
{
    std::string line = translate("Simulate", "Choices taken back:");
    if (runsPerUser.empty()) {
        return line;
    }
    const std::vector<RunResult> &first = runsPerUser.front();
    for (std::size_t s = 0; s < first.size(); ++s) {
        int sum = 0;
        for (const std::vector<RunResult> &runs : runsPerUser) {
            for (std::size_t d = 0; s < runs.size() && d < runs[s].days.size(); ++d) {
                sum += runs[s].days[d].choicesTakenBack;
            }
        }
        line += (s ? ", " : " ") + strategyName(first[s].strategy) + " " + std::to_string(sum);
    }
    return line;
}

} // namespace lumvex::sim
