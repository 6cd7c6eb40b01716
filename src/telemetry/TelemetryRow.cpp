// SPDX-License-Identifier: MIT
#include "TelemetryRow.h"

#include "base/Iso8601.h"
#include "base/JsonFields.h"

#include <cmath>

namespace lumvex::telemetry {

double roundedTo(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return 0.0;
    }
    const double scale = std::pow(10.0, decimals);
    // Past 2^52 a double has no fraction left to round (and scaling could overflow).
    if (std::abs(value) * scale >= 4503599627370496.0) {
        return value;
    }
    return std::round(value * scale) / scale + 0.0; // "+ 0.0" turns a negative zero into zero
}

std::string encodeRow(const TelemetryRow &row, const TelemetrySnapshot &s, Timestamp moment, const LocalTime &local)
{
    Json j = Json::object();
    const auto put = [&j](const char *key, const std::optional<double> &value, int decimals) {
        if (value) {
            j[key] = roundedTo(*value, decimals);
        }
    };
    const auto putText = [&j](const char *key, const std::optional<std::string> &value) {
        if (value) {
            j[key] = *value;
        }
    };

    j["schema"] = kSchema;
    j["ts"] = iso8601Utc(moment, true);
    j["t"] = roundedTo(moment.unixSeconds(), 3);
    j["trigger"] = row.trigger;
    putText("event", row.event);
    putText("source", row.source);
    put("brightness", s.brightness, 4);
    put("b_before", row.bBefore, 4);
    put("b_after", row.bAfter, 4);
    put("lum_raw", s.lumRaw, 4);
    put("lum_slow", s.lumSlow, 4);
    put("lum_fast", s.lumFast, 4);
    if (!s.lumGrid.empty()) {
        Json grid = Json::array();
        for (const double cell : s.lumGrid) {
            grid.push_back(roundedTo(cell, 3));
        }
        j["lum_grid"] = std::move(grid);
    }
    put("amb_lux", s.ambLux, 1);
    put("amb_norm", s.ambNorm, 4);
    j["amb_avail"] = s.ambAvailable;
    putText("app_id", s.appID);
    putText("app_name", s.appName);
    j["display_id"] = s.displayID;
    j["builtin"] = s.builtin;
    j["auto_on"] = s.autoOn;
    put("r_target", s.rTarget, 4);
    put("b_loop", s.bLoop, 4);
    j["hour"] = local.hour;
    j["weekday"] = local.weekday;
    // Window class names come from other programs and need not be UTF-8; a bad byte must not lose the row.
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace lumvex::telemetry
