// SPDX-License-Identifier: MIT
#include "telemetry/TelemetryRecorder.h"
#include "base/Files.h"
#include "base/JsonFields.h"
#include "engine/Settings.h"
#include "simulated/ManualClock.h"
#include "simulated/ManualTimer.h"
#include "simulated/MemoryDefaults.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace lumvex;

namespace {

// 2025-03-14 23:59:00 in a time zone an hour east of UTC (22:59:00Z).
constexpr double kStart = 1741993140.0;

class TelemetryRecorderTest : public testing::Test
{
protected:
    // Half a second passes and the timer looks.
    void tick(double seconds = 0.5)
    {
        clock.advance(seconds);
        timer->fire();
    }

    std::vector<Json> rows(const std::string &day = "2025-03-14") const
    {
        std::vector<Json> result;
        std::istringstream text(files::readAll(dir / "telemetry" / ("telemetry-" + day + ".jsonl")).value_or(""));
        for (std::string line; std::getline(text, line);) {
            result.push_back(Json::parse(line));
        }
        return result;
    }

    test::TempDir dir;
    ManualClock clock{Timestamp::fromUnixSeconds(kStart), 3600};
    MemoryDefaults defaults;
    TelemetrySnapshot snapshot = [] {
        TelemetrySnapshot s;
        s.brightness = 0.5;
        s.displayID = 7;
        return s;
    }();
    std::vector<bool> changes;

    struct Source final : TelemetrySource
    {
        explicit Source(TelemetryRecorderTest &test)
            : test(test)
        {}
        TelemetrySnapshot currentState() override { return test.snapshot; }
        void recordingChanged(bool on) override { test.changes.push_back(on); }
        TelemetryRecorderTest &test;
    } source{*this};
    ManualTimer *timer = new ManualTimer; // the recorder's own
    TelemetryRecorder recorder{dir / "telemetry", source, clock, defaults, std::unique_ptr<ManualTimer>(timer)};
};

} // namespace

TEST_F(TelemetryRecorderTest, SessionStartsWithItsRowThenWritesOnlyOnChange)
{
    recorder.setRecording(true);
    EXPECT_EQ(rows().at(0)["event"], "session_start");
    EXPECT_EQ(timer->interval(), std::chrono::milliseconds(500));

    tick();
    snapshot.brightness = 0.502;
    tick();
    snapshot.brightness = 0.504;
    tick();

    snapshot.lumSlow = 0.30;
    tick(); // the first luminance differs from "none yet"
    snapshot.lumSlow = 0.314;
    tick();
    snapshot.lumSlow = 0.316;
    tick();

    snapshot.appID = "org.gnome.Terminal";
    tick();
    snapshot.appID.reset(); // to an application without an identifier
    tick();
    tick();
    // A missing luminance neither triggers nor makes the next one count from "none".
    snapshot.lumSlow.reset();
    tick();
    tick(10.5); // heartbeat row without a luminance
    snapshot.lumSlow = 0.326;
    tick();
    const auto written = rows();
    ASSERT_EQ(written.size(), 7u);
    EXPECT_EQ((std::vector<Json>{written[1]["brightness"], written[3]["lum_slow"], written[4]["app_id"]}),
              (std::vector<Json>{0.504, 0.316, "org.gnome.Terminal"}));
    EXPECT_EQ(written[5].count("app_id") + written[6].count("lum_slow"), 0u);
}

TEST_F(TelemetryRecorderTest, EventsAreRowsThatResetTheTicksComparisonAndMidnightMovesToTheNextDay)
{
    recorder.setRecording(true);
    tick(6.0);
    snapshot.brightness = 0.6;
    recorder.recordEvent("brightness_change", "manual", 0.5, 0.6);
    tick(); // neither the brightness nor the ten seconds count from the start row any more
    tick(9.0);
    recorder.recordEvent("app_switch");
    tick(10.5);
    const auto written = rows();
    ASSERT_EQ(written.size(), 4u);

    EXPECT_EQ(
        (std::vector<Json>{written[1]["source"], written[1]["b_after"], written[2]["trigger"], written[3]["trigger"]}),
        (std::vector<Json>{"manual", 0.6, "app_switch", "tick"}));

    // Midnight moves to the next day's file without a new session.
    tick(44.0); // 00:00:10 on the 15th
    snapshot.brightness = 0.7;
    tick();
    ASSERT_EQ(rows("2025-03-14").size(), 4u);
    const auto next = rows("2025-03-15");
    ASSERT_EQ(next.size(), 2u);
    EXPECT_EQ((std::vector<Json>{next[0]["trigger"], next[1]["brightness"]}), (std::vector<Json>{"tick", 0.7}));

    // Not recording: events are ignored.
    recorder.setRecording(false);
    recorder.recordEvent("app_switch");
    EXPECT_EQ(rows("2025-03-15").size(), 2u);
}

TEST_F(TelemetryRecorderTest, SwitchPersistsResumesOnlyWhenLeftOnAndASecondSessionAppendsToTheSameDay)
{
    // Left off, a start does not resume.
    recorder.startIfEnabled();
    recorder.recordEvent("app_switch");
    EXPECT_TRUE(!timer->isActive() && rows().empty());

    recorder.toggleRecording();
    tick(2.0);
    recorder.setRecording(true); // already on: nothing happens
    recorder.toggleRecording();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(defaults.boolValue(std::string(settings::telemetryRecording.name)), false);
    tick(1.0);
    recorder.setRecording(true);
    EXPECT_EQ(defaults.boolValue(std::string(settings::telemetryRecording.name)), true);
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true}));

    EXPECT_EQ(rows().at(1)["event"], "session_start");
    // A new session forgets the luminance that the last one wrote.
    snapshot.lumSlow = 0.3;
    tick();
    snapshot.lumSlow.reset();
    recorder.setRecording(false);
    recorder.setRecording(true);
    snapshot.lumSlow = 0.3;
    tick();
    EXPECT_EQ(rows().size(), 5u);

    // Left on, the next start resumes, and resuming is no switch.
    TelemetryRecorder(dir / "telemetry", source, clock, defaults, std::make_unique<ManualTimer>()).startIfEnabled();
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_EQ(changes.size(), 5u);
}
