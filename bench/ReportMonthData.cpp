// SPDX-License-Identifier: MIT
// Writes the recordings that bench/report-month.sh reports on. Ten minutes of busy content (the screen
// changing every 1.5 s, automatic adjustment on, a correction through `lumvex ctl` every ten minutes) are
// recorded by the real recorder and adjustment log on a manual clock, then repeated with shifted times
// over HOURS hours a day for DAYS days:
//   OUT/month/telemetry/telemetry-<day>.jsonl and OUT/month/adjustments.csv  all the days
//   OUT/day/telemetry/telemetry-<day>.jsonl and OUT/day/adjustments.csv      the first day alone
// `OUT minute` writes instead a minute with four corrections into OUT (the picture in docs/).
// The adjustment log keeps, as the logger does, no more than its latest 10 MB.
#include "base/Iso8601.h"
#include "base/Timestamp.h"
#include "engine/AdjustmentLogger.h"
#include "simulated/ManualClock.h"
#include "simulated/ManualTimer.h"
#include "simulated/MemoryDefaults.h"
#include "telemetry/TelemetryRecorder.h"
#include "telemetry/report/RecordingReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace lumvex;

namespace {

constexpr double kFirstDay = 1793577600.0; // 2026-11-02 00:00 UTC
constexpr double kBlock = 600.0;           // the short recording
constexpr std::size_t kLogBytes = 10u << 20;

struct State final : TelemetrySource
{
    TelemetrySnapshot s;
    TelemetrySnapshot currentState() override { return s; }
    void recordingChanged(bool) override {}
};

std::vector<std::string> linesOf(const fs::path &file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Records `seconds` into `dir`, with `presses` corrections spread over them, and returns the telemetry lines
// and adjustment rows.
std::pair<std::vector<std::string>, std::vector<std::string>> recordBlock(const fs::path &dir, double start,
                                                                          double seconds, int presses)
{
    ManualClock clock(Timestamp::fromUnixSeconds(start));
    MemoryDefaults defaults;
    State state;
    auto timer = std::make_unique<ManualTimer>();
    ManualTimer &ticks = *timer;
    TelemetryRecorder recorder(dir / "telemetry", state, clock, defaults, std::move(timer));
    AdjustmentLogger logger(dir, clock);
    TelemetrySnapshot &s = state.s;
    s.ambAvailable = true;
    s.displayID = 1;
    s.builtin = true;
    s.autoOn = true;
    s.rTarget = 0.12;
    s.lumSlow = 0.5;
    s.brightness = 0.24;
    recorder.setRecording(true);
    constexpr std::array kContent{0.15, 0.85, 0.4, 0.7, 0.25, 0.6};
    const int steps = static_cast<int>(seconds / 0.5);
    for (int tick = 1; tick <= steps; ++tick) {
        clock.advance(0.5);
        const double content = kContent[static_cast<std::size_t>(tick / 3) % kContent.size()];
        s.lumRaw = content;
        s.lumFast = content;
        s.lumSlow = *s.lumSlow + 0.35 * (content - *s.lumSlow);
        s.lumGrid.assign(16, content);
        s.ambLux = 180.0 + 20.0 * std::sin(tick / 200.0);
        s.ambNorm = std::log10(*s.ambLux + 1.0) / 6.0;
        s.appID = tick / 120 % 3 == 0 ? "org.gnome.Terminal" : "firefox";
        s.appName = tick / 120 % 3 == 0 ? "Gnome-terminal" : "Firefox";
        s.bLoop = std::clamp(*s.rTarget / *s.lumSlow, 0.05, 1.0);
        const double shown = s.brightness.value_or(*s.bLoop);
        if (tick % (steps / presses) == steps / presses / 2) {
            const double chosen = std::min(shown + 0.1, 1.0);
            logger.log(AdjustmentSource::command, shown, chosen, *s.lumSlow, *s.rTarget, std::nullopt, 0.0);
            recorder.recordEvent("brightness_change", "manual", shown, chosen);
            s.brightness = chosen;
        } else if (std::abs(*s.bLoop - shown) > 0.003) {
            logger.log(AdjustmentSource::automatic, shown, *s.bLoop, *s.lumSlow, *s.rTarget, std::nullopt, 0.0);
            // The shell's poll reports each change of level it sees.
            recorder.recordEvent("brightness_change", "auto", shown, *s.bLoop);
            s.brightness = *s.bLoop;
        }
        ticks.fire();
    }
    recorder.setRecording(false);
    std::vector<std::string> telemetry;
    for (const auto &entry : fs::directory_iterator(dir / "telemetry")) {
        const auto lines = linesOf(entry.path());
        telemetry.insert(telemetry.end(), lines.begin(), lines.end());
    }
    auto adjustments = linesOf(dir / "adjustments.csv");
    adjustments.erase(adjustments.begin()); // the header
    return {telemetry, adjustments};
}

// The line with `"ts"` and `"t"` moved by `shift` seconds.
std::string shiftedRow(const std::string &line, double shift)
{
    std::string out = line;
    const std::size_t ts = out.find("\"ts\":\"") + 6;
    const std::size_t tsEnd = out.find('"', ts);
    const std::size_t t = out.find("\"t\":") + 4;
    const std::size_t tEnd = out.find(',', t);
    double seconds = 0.0;
    std::from_chars(out.data() + t, out.data() + tEnd, seconds);
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, seconds + shift, std::chars_format::fixed, 3).ptr;
    out.replace(t, tEnd - t, number, static_cast<std::size_t>(end - number));
    out.replace(ts, tsEnd - ts, iso8601Utc(Timestamp::fromUnixSeconds(seconds + shift), true));
    return out;
}

std::string shiftedAdjustment(const std::string &line, double shift)
{
    const std::size_t comma = line.find(',');
    const double t = report::parseIso8601Utc(std::string_view(line).substr(0, comma)).value_or(0.0);
    return iso8601Utc(Timestamp::fromUnixSeconds(t + shift), true) + line.substr(comma);
}

void writeLog(const fs::path &file, const std::vector<std::string> &rows)
{
    // The newest rows that fit, as the logger keeps them.
    std::size_t bytes = AdjustmentLogger::kHeader.size();
    std::size_t first = rows.size();
    while (first > 0 && bytes + rows[first - 1].size() + 1 <= kLogBytes) {
        bytes += rows[--first].size() + 1;
    }
    std::ofstream out(file, std::ios::binary);
    out << AdjustmentLogger::kHeader;
    for (std::size_t i = first; i < rows.size(); ++i) {
        out << rows[i] << '\n';
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[2]) == "minute") {
        // A minute with four corrections, for the picture of a short recording.
        recordBlock(argv[1], kFirstDay + 9 * 3600.0, 60.0, 4);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUT DAYS HOURS, or %s OUT minute\n", argv[0], argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    const int days = std::atoi(argv[2]);
    const int hours = std::atoi(argv[3]);
    fs::remove_all(out);
    const double start = kFirstDay + 8 * 3600.0;
    const auto [telemetry, adjustments] = recordBlock(out / "short", start, kBlock, 1);
    std::vector<std::string> log;
    std::vector<std::string> firstDayLog;
    std::size_t rows = 0;
    for (int d = 0; d < days; ++d) {
        const double midnight = kFirstDay + d * 86400.0;
        for (const fs::path &folder : {out / "month/telemetry", out / "day/telemetry"}) {
            fs::create_directories(folder);
        }
        const std::string name =
            "telemetry-" + iso8601Utc(Timestamp::fromUnixSeconds(midnight)).substr(0, 10) + ".jsonl";
        std::ofstream file(out / "month/telemetry" / name, std::ios::binary);
        for (int block = 0; block < hours * 3600 / static_cast<int>(kBlock); ++block) {
            const double shift = midnight + 8 * 3600.0 + block * kBlock - start;
            for (const std::string &line : telemetry) {
                file << shiftedRow(line, shift) << '\n';
            }
            for (const std::string &line : adjustments) {
                log.push_back(shiftedAdjustment(line, shift));
                if (d == 0) {
                    firstDayLog.push_back(log.back());
                }
            }
            rows += telemetry.size();
        }
        if (d == 0) {
            file.close();
            fs::copy_file(out / "month/telemetry" / name, out / "day/telemetry" / name);
        }
        if (::isatty(STDERR_FILENO) == 1) {
            std::fprintf(stderr, "\rwrote day %d of %d", d + 1, days);
            std::fflush(stderr);
        }
    }
    writeLog(out / "month/adjustments.csv", log);
    writeLog(out / "day/adjustments.csv", firstDayLog);
    std::fprintf(stderr, "%s%zu telemetry rows in %d days, %zu adjustment rows (the log keeps the latest 10 MB)\n",
                 ::isatty(STDERR_FILENO) == 1 ? "\r" : "", rows, days, log.size());
    return 0;
}
