// SPDX-License-Identifier: MIT
#pragma once

#include "Recording.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lumvex {
class Clock;
}

namespace lumvex::report {

// A telemetry row as a day's plot needs it, placed on its local day. Missing values are NaN.
struct DayRow
{
    static constexpr std::uint32_t kNoApp = UINT32_MAX;

    double tod = 0.0; // seconds since that day's midnight
    double brightness = 0.0;
    double lumRaw = NAN;
    double lumSlow = NAN;
    double ambLux = NAN;
    double bLoop = NAN;
    double bBefore = NAN; // of a manual change the telemetry saw
    double bAfter = NAN;
    std::uint32_t app = kNoApp; // index into ReportDay::appNames
    bool sessionStart = false;
    bool manualChange = false;
};

// An adjustment log row placed on its local day.
struct PlacedAdjustment
{
    double tod = 0.0;
    const Adjustment *row = nullptr;
};

// What one local day of the recording holds, in time order, and what it comes to.
struct ReportDay
{
    // Rows further apart than this were not recorded in one go (the heartbeat is ten seconds).
    static constexpr double kMaxRowGap = 30.0;

    std::string key; // yyyy-MM-dd
    int weekday = 1; // 1 = Sunday
    std::vector<DayRow> telemetry;
    std::vector<std::string> appNames;
    std::vector<PlacedAdjustment> adjustments;

    std::size_t sessions = 0;
    std::size_t manualCorrections = 0; // from the adjustment log
    std::size_t automaticWrites = 0;   // logged by the loop
    double recordedSeconds = 0.0;
    std::optional<double> meanBrightness;             // over recorded time
    std::vector<std::pair<std::string, double>> apps; // seconds in front, longest first

    const std::string *appName(const DayRow &row) const
    {
        return row.app == DayRow::kNoApp ? nullptr : &appNames[row.app];
    }
};

// Places rows on their local days (days and times of the clock) as they are read, and hands each day on,
// sorted and summed up, once rows of a later day have come: memory holds the days being read, not the
// recording. The adjustment rows, given first, must outlive the days.
class DaySplitter
{
public:
    using DaySink = std::function<void(ReportDay &)>;

    DaySplitter(const std::vector<Adjustment> &adjustments, const Clock &clock, DaySink sink);

    void add(const TelemetryPoint &point);
    // Hands on every day before the earliest one that the rows added since the last call belong to.
    void finishFile();
    // Hands on the rest.
    void finish();

private:
    struct Place
    {
        std::string key;
        int weekday;
        double tod;
    };
    const Place &place(double unixSeconds);
    ReportDay &dayOf(const std::string &key, int weekday);
    void handOnBefore(const std::string *key);

    const Clock &m_clock;
    DaySink m_sink;
    std::map<std::string, ReportDay> m_open;
    std::map<std::string, std::map<std::string, std::uint32_t, std::less<>>> m_appIndex; // per open day
    const ReportDay *m_lastDay = nullptr; // rows come in runs of one day and application
    std::string m_lastApp;
    std::uint32_t m_lastAppIndex = DayRow::kNoApp;
    std::string m_earliestOfFile;
    // The local offset from UTC stays the same within a quarter hour of UTC (zones shift on such marks).
    double m_quarterStart = NAN;
    double m_quarterTod = 0.0;
    Place m_quarterPlace;
    Place m_here;
};

} // namespace lumvex::report
