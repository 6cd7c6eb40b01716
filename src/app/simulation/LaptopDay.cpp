// SPDX-License-Identifier: MIT
#include "LaptopDay.h"

#include "Rng.h"
#include "Scenarios.h"

#include <algorithm>

namespace lumvex::sim {

namespace {

using Kind = DesktopEvent::Kind;

constexpr double kKeyPressesPerHour = 6.0;

// A moment inside the day's screen time, away from its first and last minutes.
double momentIn(const std::vector<Segment> &segments, double from, double to, Rng &rng)
{
    const double t = rng.uniform(from, to);
    for (const Segment &s : segments) {
        if (t >= s.start + 60.0 && t < s.end - 60.0) {
            return t;
        }
    }
    return -1.0;
}

std::vector<DesktopEvent> eventsOf(const std::vector<Segment> &segments, Rng &rng)
{
    std::vector<DesktopEvent> events;
    if (segments.empty()) {
        return events;
    }
    const double first = segments.front().start;
    // The lid was closed overnight.
    events.push_back({first - 600.0, Kind::suspend});
    events.push_back({first, Kind::resume});

    // Lunch: locked a few minutes before the morning's last screen, unlocked with the afternoon's first.
    const auto afternoon = std::ranges::find_if(segments, [](const Segment &s) { return s.start >= 12.5 * 3600.0; });
    if (afternoon != segments.begin() && afternoon != segments.end()) {
        events.push_back({std::prev(afternoon)->end - 240.0, Kind::lock});
        events.push_back({afternoon->start, Kind::unlock});
    }

    // Docked for an hour or so in the afternoon.
    const double dock = momentIn(segments, 14.0 * 3600.0, 15.0 * 3600.0, rng);
    if (dock > 0.0) {
        events.push_back({dock, Kind::dock});
        events.push_back({dock + rng.uniform(1800.0, 5400.0), Kind::undock});
    }

    // Idle spells of one to ten minutes, morning and afternoon.
    for (const auto &[from, to] : {std::pair{9.0, 11.5}, std::pair{13.0, 14.0}, std::pair{16.5, 17.0}}) {
        const double idle = momentIn(segments, from * 3600.0, to * 3600.0, rng);
        if (idle > 0.0) {
            events.push_back({idle, Kind::idle});
            events.push_back({idle + rng.uniform(60.0, 600.0), Kind::active});
        }
    }
    std::ranges::stable_sort(events, {}, &DesktopEvent::t);
    return events;
}

} // namespace

Trace makeLaptopDay(int days, std::uint64_t seed)
{
    Trace trace = *makeScenario("office", days, seed);
    trace.name = "laptop-day";
    trace.keyPressesPerHour = kKeyPressesPerHour;
    for (int d = 0; d < days; ++d) {
        Rng rng(seed * 7919u + static_cast<std::uint64_t>(d));
        trace.events.push_back(eventsOf(trace.days[static_cast<std::size_t>(d)], rng));
    }
    return trace;
}

} // namespace lumvex::sim
