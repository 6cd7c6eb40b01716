// SPDX-License-Identifier: MIT
#include "ReportDay.h"

#include "base/Clock.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace lumvex::report {

namespace {

struct LocalPlace
{
    std::string key;
    int weekday;
    double tod;
};

LocalPlace place(double unixSeconds, const Clock &clock)
{
    const LocalTime local = clock.localTime(Timestamp::fromUnixSeconds(unixSeconds));
    const double fraction = unixSeconds - std::floor(unixSeconds);
    return {dayKey(local.date), local.weekday, local.hour * 3600.0 + local.minute * 60.0 + local.second + fraction};
}

void summarise(ReportDay &day)
{
    std::map<std::string, double> appSeconds;
    double weighted = 0.0;
    double plainSum = 0.0;
    for (std::size_t i = 0; i < day.telemetry.size(); ++i) {
        const TelemetryPoint &p = *day.telemetry[i].row;
        plainSum += p.brightness;
        if (p.event == "session_start") {
            ++day.sessions;
        }
        if (i + 1 < day.telemetry.size()) {
            const double gap = day.telemetry[i + 1].tod - day.telemetry[i].tod;
            if (gap <= ReportDay::kMaxRowGap) {
                day.recordedSeconds += gap;
                weighted += gap * p.brightness;
                if (p.app) {
                    appSeconds[*p.app] += gap;
                }
            }
        }
    }
    if (day.recordedSeconds > 0.0) {
        day.meanBrightness = weighted / day.recordedSeconds;
    } else if (!day.telemetry.empty()) {
        day.meanBrightness = plainSum / static_cast<double>(day.telemetry.size());
    }
    day.apps.assign(appSeconds.begin(), appSeconds.end());
    std::stable_sort(day.apps.begin(), day.apps.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    for (const auto &a : day.adjustments) {
        ++(a.row->isManual() ? day.manualCorrections : day.automaticWrites);
    }
}

} // namespace

std::vector<ReportDay> splitIntoDays(const Recording &recording, const Clock &clock)
{
    std::map<std::string, ReportDay> days;
    const auto dayOf = [&](const LocalPlace &where) -> ReportDay & {
        ReportDay &day = days[where.key];
        day.key = where.key;
        day.weekday = where.weekday;
        return day;
    };
    for (const TelemetryPoint &p : recording.telemetry) {
        const LocalPlace where = place(p.t, clock);
        dayOf(where).telemetry.push_back({where.tod, &p});
    }
    for (const Adjustment &a : recording.adjustments) {
        const LocalPlace where = place(a.t, clock);
        dayOf(where).adjustments.push_back({where.tod, &a});
    }
    std::vector<ReportDay> result;
    for (auto &[key, day] : days) {
        const auto byTime = [](const auto &a, const auto &b) { return a.tod < b.tod; };
        std::stable_sort(day.telemetry.begin(), day.telemetry.end(), byTime);
        std::stable_sort(day.adjustments.begin(), day.adjustments.end(), byTime);
        summarise(day);
        result.push_back(std::move(day));
    }
    return result;
}

} // namespace lumvex::report
