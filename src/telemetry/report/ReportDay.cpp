// SPDX-License-Identifier: MIT
#include "ReportDay.h"

#include "base/Clock.h"

#include <algorithm>

namespace lumvex::report {

namespace {

void summarise(ReportDay &day)
{
    std::vector<double> appSeconds(day.appNames.size(), 0.0);
    double weighted = 0.0;
    double plainSum = 0.0;
    for (std::size_t i = 0; i < day.telemetry.size(); ++i) {
        const DayRow &p = day.telemetry[i];
        plainSum += p.brightness;
        day.sessions += p.sessionStart ? 1 : 0;
        if (i + 1 < day.telemetry.size()) {
            const double gap = day.telemetry[i + 1].tod - p.tod;
            if (gap <= ReportDay::kMaxRowGap) {
                day.recordedSeconds += gap;
                weighted += gap * p.brightness;
                if (p.app != DayRow::kNoApp) {
                    appSeconds[p.app] += gap;
                }
            }
        }
    }
    if (day.recordedSeconds > 0.0) {
        day.meanBrightness = weighted / day.recordedSeconds;
    } else if (!day.telemetry.empty()) {
        day.meanBrightness = plainSum / static_cast<double>(day.telemetry.size());
    }
    for (std::size_t i = 0; i < appSeconds.size(); ++i) {
        day.apps.emplace_back(day.appNames[i], appSeconds[i]);
    }
    // Ties in name order, as before the names had numbers.
    std::sort(day.apps.begin(), day.apps.end(), [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    for (const auto &a : day.adjustments) {
        ++(isUserCorrection(a.row->source) ? day.manualCorrections : day.automaticWrites);
    }
}

} // namespace

DaySplitter::DaySplitter(const std::vector<Adjustment> &adjustments, const Clock &clock, DaySink sink)
    : m_clock(clock)
    , m_sink(std::move(sink))
{
    for (const Adjustment &a : adjustments) {
        const Place &where = place(a.t);
        dayOf(where.key, where.weekday).adjustments.push_back({where.tod, &a});
    }
}

const DaySplitter::Place &DaySplitter::place(double unixSeconds)
{
    const double quarter = std::floor(unixSeconds / 900.0) * 900.0;
    if (quarter != m_quarterStart) {
        const LocalTime local = m_clock.localTime(Timestamp::fromUnixSeconds(quarter));
        m_quarterStart = quarter;
        m_quarterTod = local.hour * 3600.0 + local.minute * 60.0 + local.second;
        m_quarterPlace = {dayKey(local.date), local.weekday, 0.0};
    }
    m_here.key = m_quarterPlace.key;
    m_here.weekday = m_quarterPlace.weekday;
    m_here.tod = m_quarterTod + (unixSeconds - quarter);
    return m_here;
}

ReportDay &DaySplitter::dayOf(const std::string &key, int weekday)
{
    auto it = m_open.find(key);
    if (it == m_open.end()) {
        it = m_open.emplace(key, ReportDay{}).first;
        it->second.key = key;
        it->second.weekday = weekday;
    }
    return it->second;
}

void DaySplitter::add(const TelemetryPoint &point)
{
    const Place &where = place(point.t);
    if (m_earliestOfFile.empty() || where.key < m_earliestOfFile) {
        m_earliestOfFile = where.key;
    }
    ReportDay &day = dayOf(where.key, where.weekday);
    DayRow row;
    row.tod = where.tod;
    row.brightness = point.brightness;
    row.lumRaw = point.lumRaw.value_or(NAN);
    row.lumSlow = point.lumSlow.value_or(NAN);
    row.ambLux = point.ambLux.value_or(NAN);
    row.bLoop = point.bLoop.value_or(NAN);
    row.sessionStart = point.event == "session_start";
    row.manualChange = point.event == "brightness_change" && point.source == "manual" && point.bBefore && point.bAfter;
    if (row.manualChange) {
        row.bBefore = *point.bBefore;
        row.bAfter = *point.bAfter;
    }
    if (point.app && &day == m_lastDay && *point.app == m_lastApp) {
        row.app = m_lastAppIndex;
    } else if (point.app) {
        auto &index = m_appIndex[where.key];
        const auto it = index.find(*point.app);
        if (it != index.end()) {
            row.app = it->second;
        } else {
            row.app = static_cast<std::uint32_t>(day.appNames.size());
            day.appNames.emplace_back(*point.app);
            index.emplace(day.appNames.back(), row.app);
        }
        m_lastDay = &day;
        m_lastApp = *point.app;
        m_lastAppIndex = row.app;
    }
    day.telemetry.push_back(row);
}

void DaySplitter::handOnBefore(const std::string *key)
{
    while (!m_open.empty() && (!key || m_open.begin()->first < *key)) {
        ReportDay day = std::move(m_open.begin()->second);
        m_appIndex.erase(m_open.begin()->first);
        m_lastDay = nullptr;
        m_open.erase(m_open.begin());
        // Rows come in time order unless the clock was set back or files were named out of order.
        const auto byTime = [](const auto &a, const auto &b) { return a.tod < b.tod; };
        if (!std::is_sorted(day.telemetry.begin(), day.telemetry.end(), byTime)) {
            std::stable_sort(day.telemetry.begin(), day.telemetry.end(), byTime);
        }
        std::stable_sort(day.adjustments.begin(), day.adjustments.end(), byTime);
        summarise(day);
        m_sink(day);
    }
}

void DaySplitter::finishFile()
{
    if (!m_earliestOfFile.empty()) {
        const std::string earliest = std::move(m_earliestOfFile);
        m_earliestOfFile.clear();
        handOnBefore(&earliest);
    }
}

void DaySplitter::finish()
{
    handOnBefore(nullptr);
}

} // namespace lumvex::report
