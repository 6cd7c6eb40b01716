// SPDX-License-Identifier: MIT
#include "Scenarios.h"

#include "LaptopDay.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace lumvex::sim {

namespace {

constexpr double kHour = 3600.0;

struct Content
{
    const char *app;
    double luminance;
    double spread; // how much one visit differs from the next
    double flicker;
    ContentSignature signature;
};

// Kinds of screen content with the share of dark and bright pixels they typically have.
const Content kEditorDark{"org.gnome.Builder", 0.12, 0.03, 0.002, {0.86, 0.03, 0.12}};
const Content kTerminal{"org.gnome.Console", 0.07, 0.02, 0.002, {0.95, 0.02, 0.07}};
const Content kDocument{"org.libreoffice.LibreOffice.writer", 0.86, 0.03, 0.002, {0.04, 0.88, 0.86}};
const Content kWeb{"org.mozilla.firefox", 0.62, 0.10, 0.01, {0.18, 0.55, 0.62}};
const Content kMail{"org.gnome.Evolution", 0.78, 0.05, 0.002, {0.08, 0.74, 0.78}};
const Content kChatDark{"org.telegram.desktop", 0.16, 0.04, 0.005, {0.78, 0.06, 0.16}};
const Content kReader{"org.gnome.Papers", 0.88, 0.02, 0.002, {0.03, 0.90, 0.88}};

// Daylight through an office window: dim in the morning and evening, clouds passing.
double officeLux(double t, Rng &clouds)
{
    const double day = std::sin(std::clamp((t - 7.0 * kHour) / (12.0 * kHour), 0.0, 1.0) * 3.141592653589793);
    return std::max(60.0, 120.0 + 520.0 * day * (0.75 + 0.25 * clouds.uniform()));
}

class DayBuilder
{
public:
    DayBuilder(Rng &rng, std::vector<Segment> &segments)
        : m_rng(rng)
        , m_segments(segments)
    {}

    // Visits of the picked content from `from` to `to`, each lasting about `meanVisit` seconds.
    void session(double from, double to, double meanVisit, const std::function<const Content &(Rng &)> &pick,
                 const std::function<double(double, Rng &)> &lux)
    {
        double t = from;
        double luxNow = lux(t, m_rng);
        while (t < to) {
            const Content &c = pick(m_rng);
            const double end = std::min(to, t + std::max(8.0, m_rng.exponential(meanVisit)));
            const double luxNext = lux(end, m_rng);
            Segment s;
            s.start = t;
            s.end = end;
            s.luminance = std::clamp(c.luminance + m_rng.jitter(c.spread), 0.01, 0.99);
            s.flicker = c.flicker;
            const double shift = s.luminance - c.luminance;
            s.signature = {c.signature.pctDark, c.signature.pctBright, std::clamp(c.signature.mean + shift, 0.0, 1.0)};
            s.luxStart = luxNow;
            s.luxEnd = luxNext;
            s.app = c.app;
            m_segments.push_back(s);
            luxNow = luxNext;
            t = end;
        }
    }

private:
    Rng &m_rng;
    std::vector<Segment> &m_segments;
};

std::vector<Segment> officeDay(Rng &rng)
{
    std::vector<Segment> segments;
    DayBuilder day(rng, segments);
    const auto pick = [](Rng &r) -> const Content & {
        const double u = r.uniform();
        return u < 0.30 ? kEditorDark : u < 0.40 ? kTerminal : u < 0.65 ? kDocument : u < 0.85 ? kWeb : kMail;
    };
    const double start = 8.5 * kHour + rng.uniform(0, 1800);
    day.session(start, 12.0 * kHour, 100.0, pick, officeLux);
    day.session(12.75 * kHour, 17.5 * kHour + rng.uniform(0, 1800), 100.0, pick, officeLux);
    return segments;
}

std::vector<Segment> videoDay(Rng &rng)
{
    std::vector<Segment> segments;
    DayBuilder day(rng, segments);
    const auto dimRoom = [](double, Rng &r) { return 25.0 + r.uniform(0, 15); };
    // Browsing for something to watch, then a film of short scenes, mostly dark.
    const double start = 20.0 * kHour + rng.uniform(0, 1200);
    day.session(
        start, start + 600, 60.0, [](Rng &) -> const Content & { return kWeb; }, dimRoom);
    double t = start + 600;
    const double end = t + 2.0 * kHour;
    while (t < end) {
        const double length = std::max(2.0, rng.exponential(7.0));
        const double luminance = rng.chance(0.12) ? rng.uniform(0.55, 0.8) : rng.uniform(0.03, 0.4);
        const double lux = dimRoom(t, rng);
        Segment s;
        s.start = t;
        s.end = std::min(end, t + length);
        s.luminance = luminance;
        s.flicker = 0.03;
        s.signature = signatureForLuminance(luminance);
        s.luxStart = s.luxEnd = lux;
        s.app = "org.videolan.VLC";
        segments.push_back(s);
        t = s.end;
    }
    return segments;
}

std::vector<Segment> nightReadingDay(Rng &rng)
{
    std::vector<Segment> segments;
    DayBuilder day(rng, segments);
    const auto lamp = [](double, Rng &r) { return 3.0 + r.uniform(0, 4); };
    const auto pick = [](Rng &r) -> const Content & { return r.chance(0.8) ? kReader : kChatDark; };
    const double start = 21.5 * kHour + rng.uniform(0, 1200);
    day.session(start, start + 2.0 * kHour, 120.0, pick, lamp);
    return segments;
}

} // namespace

const std::vector<std::string> &scenarioNames()
{
    static const std::vector<std::string> names{"office", "video", "night-reading", "laptop-day", "docked-day"};
    return names;
}

std::optional<Trace> makeScenario(std::string_view name, int days, std::uint64_t seed)
{
    std::vector<Segment> (*makeDay)(Rng &) = nullptr;
    if (name == "office") {
        makeDay = officeDay;
    } else if (name == "video") {
        makeDay = videoDay;
    } else if (name == "night-reading") {
        makeDay = nightReadingDay;
    } else if (name == "laptop-day") {
        return makeLaptopDay(days, seed);
    } else if (name == "docked-day") {
        Trace trace = *makeScenario("office", days, seed);
        trace.name = "docked-day";
        trace.lidClosed = true;
        return trace;
    } else {
        return std::nullopt;
    }
    Trace trace{std::string(name), {}};
    for (int d = 0; d < days; ++d) {
        Rng rng(seed * 1000003u + static_cast<std::uint64_t>(d));
        trace.days.push_back(makeDay(rng));
    }
    return trace;
}

} // namespace lumvex::sim
