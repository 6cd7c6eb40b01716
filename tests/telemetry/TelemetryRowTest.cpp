// SPDX-License-Identifier: MIT
#include "telemetry/TelemetryRow.h"
#include "base/JsonFields.h"
#include "simulated/ManualClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lumvex;
using telemetry::encodeRow;

namespace {

// 2025-03-14T09:26:53.589Z, a Friday, an hour east of UTC.
const Timestamp kMoment = Timestamp::fromUnixSeconds(1741944413.589);
const ManualClock kClock(kMoment, 3600);

std::string encode(const TelemetryRow &row, const TelemetrySnapshot &snapshot)
{
    return encodeRow(row, snapshot, kMoment, kClock.localTime(kMoment));
}

} // namespace

TEST(TelemetryRowTest, TimerRowCarriesEveryPresentValueRounded)
{
    TelemetrySnapshot s;
    s.brightness = 0.61254;
    s.lumRaw = 0.27314;
    s.lumSlow = 0.26876;
    s.lumFast = 0.27149;
    s.lumGrid = {0.12345, 0.5, 1.0};
    s.ambLux = 182.46;
    s.ambNorm = 0.41126;
    s.ambAvailable = true;
    s.appID = "org.gnome.TextEditor";
    s.appName = "Gnome-text-editor";
    s.displayID = 1;
    s.builtin = true;
    s.autoOn = true;
    s.rTarget = 0.34016;
    s.bLoop = 0.61254;

    EXPECT_EQ(encode({"tick", {}, {}, {}, {}}, s),
              R"({"schema":1,"ts":"2025-03-14T09:26:53.589Z","t":1741944413.589,"trigger":"tick",)"
              R"("brightness":0.6125,"lum_raw":0.2731,"lum_slow":0.2688,"lum_fast":0.2715,"lum_grid":[0.123,0.5,1.0],)"
              R"("amb_lux":182.5,"amb_norm":0.4113,"amb_avail":true,"app_id":"org.gnome.TextEditor",)"
              R"("app_name":"Gnome-text-editor","display_id":1,"builtin":true,"auto_on":true,"r_target":0.3402,)"
              R"("b_loop":0.6125,"hour":10,"weekday":6})");
}

// A brightness that could not be read is absent too, never a level of 0.
TEST(TelemetryRowTest, AbsentValuesAreLeftOutEventsAddTheirKeysAndForeignValuesStillMakeOneLine)
{
    TelemetrySnapshot s;
    s.displayID = 4000000000u;
    EXPECT_EQ(encode({"brightness_change", "brightness_change", "manual", 0.40004, 0.55555}, s),
              R"({"schema":1,"ts":"2025-03-14T09:26:53.589Z","t":1741944413.589,"trigger":"brightness_change",)"
              R"("event":"brightness_change","source":"manual","b_before":0.4,"b_after":0.5556,)"
              R"("amb_avail":false,"display_id":4000000000,"builtin":false,"auto_on":false,"hour":10,"weekday":6})");

    // Non-finite values and foreign bytes still make one valid line.
    s = {};
    s.brightness = std::nan("");
    s.lumSlow = std::numeric_limits<double>::infinity();
    s.lumGrid = {std::nan(""), 0.25};
    s.appName = std::string("Caf\xe9\nBar"); // Latin-1 and a line break from a window's class
    const std::string row = encode({"tick", {}, {}, {}, {}}, s);

    EXPECT_EQ(row.find('\n'), std::string::npos);
    const auto parsed = json::parse(row);
    ASSERT_TRUE(parsed);
    EXPECT_EQ((*parsed)["brightness"], 0.0);
    EXPECT_EQ((*parsed)["lum_slow"], 0.0);
    EXPECT_EQ((*parsed)["lum_grid"], Json::parse("[0.0, 0.25]"));
    EXPECT_EQ((*parsed)["app_name"], "Caf\xef\xbf\xbd\nBar");
}
