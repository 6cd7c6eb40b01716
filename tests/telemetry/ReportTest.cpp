// SPDX-License-Identifier: MIT
#include "base/Files.h"
#include "engine/AdjustmentLogger.h"
#include "simulated/ManualClock.h"
#include "simulated/ManualTimer.h"
#include "simulated/MemoryDefaults.h"
#include "support/TempDir.h"
#include "telemetry/TelemetryRecorder.h"
#include "telemetry/report/RecordingReader.h"
#include "telemetry/report/ReportCommand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace lumvex;
using namespace lumvex::report;

namespace {

// 2025-03-14 09:00:00 local, an hour east of UTC.
constexpr double kNine = 1741939200.0;

std::size_t count(const std::string &text, const std::string &part)
{
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

class ReportTest : public testing::Test
{
protected:
    // Half an hour of recording with the real recorder and adjustment log: the content alternates between a
    // dark and a bright application, the ambient light rises, the user corrects four times (once by `lumvex ctl`).
    void recordMorning()
    {
        auto timer = std::make_unique<ManualTimer>();
        ManualTimer &ticks = *timer;
        struct State final : TelemetrySource
        {
            TelemetrySnapshot s;
            TelemetrySnapshot currentState() override { return s; }
            void recordingChanged(bool) override {}
        } state_;
        TelemetrySnapshot &s = state_.s;
        TelemetryRecorder recorder(state / "telemetry", state_, clock, defaults, std::move(timer));
        AdjustmentLogger logger(state.path(), clock);
        s.ambAvailable = s.builtin = s.autoOn = true;
        s.displayID = 1;
        recorder.setRecording(true);
        for (int step = 1; step <= 3600; ++step) {
            clock.advance(0.5);
            const bool dark = step / 600 % 2 == 1;
            s.appID = dark ? "org.gnome.Terminal" : "firefox";
            s.appName = dark ? "Gnome-terminal" : "Firefox";
            s.lumSlow = dark ? 0.1 : 0.8;
            s.lumRaw = *s.lumSlow + 0.02 * std::sin(step);
            s.ambLux = 100.0 + step * 0.1;
            s.bLoop = dark ? 0.7 : 0.4;
            s.brightness = *s.bLoop;
            if (step % 1000 == 0 || step == 1500) {
                logger.log(step == 1500 ? AdjustmentSource::command : AdjustmentSource::scroll, *s.bLoop,
                           *s.bLoop + 0.1, *s.lumSlow, 0.3, std::nullopt, 0.0);
                recorder.recordEvent("brightness_change", "manual", *s.bLoop, *s.bLoop + 0.1);
            }
            if (step % 600 == 0) {
                logger.log(AdjustmentSource::automatic, 0.4, 0.7, *s.lumSlow, 0.3, std::nullopt, 0.0);
            }
            ticks.fire();
        }
    }

    int report(const std::vector<std::string> &args)
    {
        out.str("");
        err.str("");
        return runReportCommand(args, {state / "telemetry", state / "adjustments.csv"}, clock, out, err);
    }

    test::TempDir state;
    test::TempDir work;
    ManualClock clock{Timestamp::fromUnixSeconds(kNine - 3600.0), 3600};
    MemoryDefaults defaults;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(ReportTest, ReportsOfARecordedDayListTheLinesSkippedAndKeepSpikesOfLongDays)
{
    recordMorning();
    // No inputs named: Lumvex's own files; a folder as output gets the default name.
    ASSERT_EQ(report({"--out", work.path().string()}), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(work / "lumvex-report.html"));
    EXPECT_EQ(err.str(), "");
    // The adjustment log alone gives the brightness steps and the corrections.
    ASSERT_EQ(report({(state / "adjustments.csv").string(), "-o", (work / "a.svg").string()}), 0) << err.str();
    const std::string steps = files::readAll(work / "a.svg").value_or("");
    EXPECT_EQ(count(steps, " % to "), 4u);
    // Half an hour is drawn on an axis of half an hour.
    for (const char *part : {"08:08:20 scroll: 70 % to 80 %", "08:12:30 command: 40 % to 50 %", ">08:25</text>",
                             "4 corrections, 6 logged automatic changes"}) {
        EXPECT_NE(steps.find(part), std::string::npos) << part;
    }

    // Lines no reader can take are listed, in the report and on the terminal.
    const auto file = state / "telemetry/telemetry-2025-03-14.jsonl";
    const std::size_t rows = count(files::readAll(file).value_or(""), "\n");
    std::ofstream(file, std::ios::app) << "{\"t\": 1741939200.5, \"trigger\"\n"
                                       << R"({"t":1741939201,"trigger":"tick","brightness":"<b>"})" << '\n';

    ASSERT_EQ(report({state.path().string(), "--out", (work / "r.html").string()}), 0) << err.str();
    EXPECT_NE(out.str().find(" telemetry rows, 10 adjustments) written to " + (work / "r.html").string()),
              std::string::npos)
        << out.str();
    EXPECT_EQ(err.str(), "lumvex report: skipped 2 unreadable lines:\n  " + file.string() + ":" +
                             std::to_string(rows + 1) + ": not a JSON object\n  " + file.string() + ":" +
                             std::to_string(rows + 2) + ": \"brightness\" is not a number\n");

    const std::string html = files::readAll(work / "r.html").value_or("");
    for (const char *part : {"Friday 2025-03-14", "2 lines skipped", "Gnome-terminal", "4 corrections, "}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(count(html, " % to "), 4u) << "one marker per correction";
    // Self-contained: nothing is fetched, nothing runs, nothing from the files is taken for markup.
    EXPECT_EQ(count(html, "http"), count(html, "http://www.w3.org/2000/svg"));
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(test::permissionsOf(work / "r.html"), 0600u);

    // A day of more rows than pixels is reduced, but keeps its spike.
    std::string day;
    for (int i = 0; i < 50000; ++i) {
        day += "{\"t\":" + std::to_string(kNine + i * 0.5) +
               ",\"trigger\":\"tick\",\"brightness\":0.5,\"lum_slow\":" + (i == 31234 ? "1" : "0.2") + "}\n";
    }
    files::writeAtomically(work / "t.jsonl", day);
    ASSERT_EQ(report({(work / "t.jsonl").string(), "-o", (work / "s.svg").string()}), 0);
    const std::string svg = files::readAll(work / "s.svg").value_or("");
    const std::string upTo = svg.substr(0, svg.find("\" fill=\"none\" stroke=\"#3182bd\""));
    const std::string luminance = upTo.substr(upTo.rfind("<path d="));
    EXPECT_TRUE(count(luminance, "L") < 1000u && count(luminance, ",30") == 1u) << "a point a column; 100 % stays";
}

TEST_F(ReportTest, RefusesBadArgumentsAndMissingInputWithOneLine)
{
    const auto refused = [&](const std::vector<std::string> &args, const std::string &message) {
        EXPECT_EQ(report(args), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().rfind("lumvex report: " + message, 0), 0u) << err.str();
        EXPECT_EQ(count(err.str(), "\n"), 1u) << err.str();
    };
    refused({"--bogus"}, "unknown option \"--bogus\"");
    refused({"--out"}, "--out needs a file name");
    refused({(work / "absent.jsonl").string()}, (work / "absent.jsonl").string() + ": no such file or folder");
    refused({}, "no telemetry files or adjustment log in " + (state / "telemetry").string());
    refused({work.path().string()}, "no telemetry files or adjustment log in " + work.path().string());
    EXPECT_TRUE(std::filesystem::is_empty(work.path()));

    EXPECT_EQ(report({"--help"}), 0);
    EXPECT_EQ(out.str().rfind("Usage: lumvex report", 0), 0u);
}

TEST(RecordingReaderTest, NotesEachMalformedLineWithItsReason)
{
    test::TempDir dir;
    files::writeAtomically(dir / "t.jsonl", "\n"
                                            R"({"t":1,"trigger":"tick","brightness":0.5,"app_id":"a"})"
                                            "\n[1,2]\n"
                                            R"({"trigger":"tick","brightness":0.5})"
                                            "\n"
                                            R"({"t":2,"trigger":"tick","brightness":0.5,"lum_slow":"dark"})"
                                            "\n"
                                            R"({"t":3,"brightness":0.5})"
                                            "\n"
                                            R"({"t":4,"trigger":"start","brightness":0.5,"auto_on":1})"
                                            "\r\n   \n"
                                            R"({"t":5,"trigger":"tick","brightness":0.25,"app_id":"a","app_name":"A"})"
                                            "\n" +
                                                std::string(1 << 20, 'x'));
    files::writeAtomically(dir / "a.csv", "timestamp,event\n"
                                          "2025-03-14T08:00:00.250Z,auto,0.4,0.5,0.3,0.1,,0,x\n"
                                          "2025-03-14T08:00:00Z,auto,0.4,0.5\n"
                                          "2025-03-14 08:00:00,auto,0.4,0.5,0.3,0.1,,0,x\n"
                                          "2025-03-14T08:00:00Z,auto,0.4,half,0.3,0.1,,0,x\n"
                                          "2025-03-14T08:00:00Z,<b>,0.4,0.5,0.3,0.1,,0,x\n"
                                          "2025-03-14T08:00:00Z,dimmed,0.4,0.5,0.3,0.1,,0,x\n");
    Recording recording;
    std::vector<std::string> apps;
    const auto keep = [&](const TelemetryPoint &p) { apps.emplace_back(p.app.value_or("")); };
    readTelemetryFile(dir / "t.jsonl", recording, keep);
    readAdjustmentLog(dir / "a.csv", recording);
    readTelemetryFile(dir / "gone.jsonl", recording, keep);

    EXPECT_EQ(apps, (std::vector<std::string>{"a", "A"})); // the name before the identifier
    ASSERT_EQ(recording.adjustments.size(), 1u);
    EXPECT_DOUBLE_EQ(recording.adjustments[0].t, 1741939200.25);
    std::vector<std::string> problems;
    for (const Problem &p : recording.problems) {
        problems.push_back(p.file.filename().string() + ":" + std::to_string(p.line) + ": " + p.reason);
    }
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "t.jsonl:3: not a JSON object",
                            "t.jsonl:4: \"t\" is missing",
                            "t.jsonl:5: \"lum_slow\" is not a number",
                            "t.jsonl:6: \"trigger\" is missing",
                            "t.jsonl:7: \"auto_on\" is not true or false",
                            "t.jsonl:10: longer than 64 KB",
                            "a.csv:1: not the header of an adjustment log",
                            "a.csv:3: expected 9 fields, found 4",
                            "a.csv:4: timestamp_iso is not a UTC time",
                            "a.csv:5: B_after is not a number",
                            "a.csv:6: event_type is not a lower-case word",
                            "a.csv:7: event_type \"dimmed\" is unknown",
                            "gone.jsonl:0: cannot be read",
                        }));
}
