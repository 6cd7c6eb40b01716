// SPDX-License-Identifier: MIT
#include "Summary.h"

#include <cstdio>
#include <string>

namespace lumvex::sim {

namespace {

struct Metric
{
    const char *title;
    const char *format;
    double (*value)(const DayResult &);
};

const Metric kMetrics[] = {
    {"corrections", "%.0f", [](const DayResult &d) { return static_cast<double>(d.corrections); }},
    {"mean |P-pref|", "%.4f", [](const DayResult &d) { return d.meanError; }},
    {"p95 |P-pref|", "%.4f", [](const DayResult &d) { return d.p95Error; }},
    {"CV of BxL", "%.3f", [](const DayResult &d) { return d.variation; }},
    {"writes", "%.0f", [](const DayResult &d) { return static_cast<double>(d.writes); }},
    {"desktop changes learned", "%.0f",
     [](const DayResult &d) { return static_cast<double>(d.desktopChangesLearned); }},
    {"user changes lost", "%.0f", [](const DayResult &d) { return static_cast<double>(d.userChangesLost); }},
    {"choices taken back", "%.0f", [](const DayResult &d) { return static_cast<double>(d.choicesTakenBack); }},
};

std::string cell(const char *format, double value, int width)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    std::string s(text);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(s.size()))), ' ') + s;
}

std::string padRight(const std::string &s, int width)
{
    return s + std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(s.size()))), ' ');
}

DayResult total(const RunResult &run)
{
    // Counts add up; the other figures are weighted by active time.
    DayResult sum;
    for (const DayResult &d : run.days) {
        sum.corrections += d.corrections;
        sum.writes += d.writes;
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

void printSummary(std::ostream &out, const std::vector<RunResult> &runs)
{
    if (runs.empty()) {
        return;
    }
    constexpr int kColumn = 9;
    const int group = kColumn * static_cast<int>(runs.size());
    std::string line = padRight("day", 5);
    for (const Metric &m : kMetrics) {
        line += " | " + padRight(m.title, group);
    }
    out << line << '\n';
    if (runs.size() > 1) {
        line = padRight("", 5);
        for (std::size_t i = 0; i < std::size(kMetrics); ++i) {
            line += " | ";
            for (const RunResult &run : runs) {
                line += std::string(static_cast<std::size_t>(kColumn) -
                                        std::min<std::size_t>(kColumn, strategyName(run.strategy).size()),
                                    ' ') +
                        strategyName(run.strategy);
            }
        }
        out << line << '\n';
    }
    out << std::string(line.size(), '-') << '\n';

    const auto row = [&](const std::string &label, auto dayOf) {
        std::string text = padRight(label, 5);
        for (const Metric &m : kMetrics) {
            text += " | ";
            for (const RunResult &run : runs) {
                text += cell(m.format, m.value(dayOf(run)), kColumn);
            }
        }
        out << text << '\n';
    };
    for (std::size_t d = 0; d < runs.front().days.size(); ++d) {
        row(std::to_string(d + 1), [d](const RunResult &run) { return run.days[d]; });
    }
    out << std::string(line.size(), '-') << '\n';
    row("all", [](const RunResult &run) { return total(run); });
}

} // namespace lumvex::sim
