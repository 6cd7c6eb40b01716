// SPDX-License-Identifier: MIT
#include "TelemetryTrace.h"

#include "base/Files.h"
#include "base/JsonFields.h"

#include <cmath>
#include <fstream>
#include <optional>

namespace lumvex::sim {

namespace {

constexpr double kMaxHold = 60.0;
constexpr double kDay = 86400.0;
constexpr double kIndoorLux = 150.0; // assumed when the recording had no sensor
// Recorded rows are about a kilobyte; a far longer line is not one of them.
constexpr std::size_t kMaxLine = 64 * 1024;
// Unix seconds from 1970 up to 2100: a recording cannot lie outside, and beyond 2^53 a tenth of a second
// would no longer change a time.
constexpr double kLatestTime = 4102444800.0;

struct Row
{
    double t;
    double luminance;
    std::optional<double> lux;
    std::string app;
};

std::optional<double> number(const ParsedJson &row, const char *key, const std::string &where)
{
    const auto it = row.find(key);
    if (it == row.end() || it->is_null()) {
        return std::nullopt;
    }
    if (!it->is_number() || !std::isfinite(it->get<double>())) {
        throw InputError(where + ": field \"" + key + "\": not a finite number");
    }
    return it->get<double>();
}

} // namespace

Trace readTelemetryTrace(const std::filesystem::path &file)
{
    std::error_code error;
    // A FIFO or a device would block or never end.
    if (const auto type = std::filesystem::status(file, error).type();
        type != std::filesystem::file_type::regular && type != std::filesystem::file_type::not_found) {
        throw InputError(file.string() + ": cannot be read (not a regular file)");
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw InputError(file.string() + ": cannot be read");
    }
    std::vector<Row> rows;
    std::string line;
    for (int lineNumber = 1;; ++lineNumber) {
        const files::LineRead read = files::readLine(in, line, kMaxLine);
        if (read == files::LineRead::end) {
            break;
        }
        const std::string where = file.string() + ":" + std::to_string(lineNumber);
        if (read == files::LineRead::tooLong) {
            throw InputError(where + ": line longer than " + std::to_string(kMaxLine / 1024) + " KB");
        }
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        const auto row = json::parse(line);
        if (!row || !row->is_object()) {
            throw InputError(where + ": not a JSON object");
        }
        const auto t = number(*row, "t", where);
        if (!t) {
            throw InputError(where + ": field \"t\": missing");
        }
        if (*t < 0.0 || *t > kLatestTime) {
            throw InputError(where + ": field \"t\": not a time between 1970 and 2100");
        }
        auto luminance = number(*row, "lum_raw", where);
        if (!luminance) {
            luminance = number(*row, "lum_fast", where);
        }
        if (!luminance) {
            luminance = number(*row, "lum_slow", where);
        }
        if (!luminance) {
            continue; // event rows and rows taken while the screen was not sampled
        }
        if (*luminance < 0.0 || *luminance > 1.0) {
            throw InputError(where + ": field \"lum_raw\": outside 0...1");
        }
        std::string app;
        if (const auto it = row->find("app_id"); it != row->end() && it->is_string()) {
            app = it->get<std::string>();
        }
        if (!rows.empty() && *t < rows.back().t) {
            throw InputError(where + ": field \"t\": earlier than the row before");
        }
        rows.push_back({*t, *luminance, number(*row, "amb_lux", where), app});
    }
    if (in.bad()) {
        throw InputError(file.string() + ": cannot be read");
    }
    if (rows.empty()) {
        throw InputError(file.string() + ": no rows with a luminance (lum_raw, lum_fast or lum_slow)");
    }

    Trace trace{file.filename().string(), {}};
    std::optional<double> currentDay;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        const double day = std::floor(row.t / kDay);
        if (currentDay != day) {
            trace.days.emplace_back();
            currentDay = day;
        }
        const double next = i + 1 < rows.size() ? rows[i + 1].t : row.t + 1.0;
        Segment s;
        s.start = row.t - day * kDay;
        s.end = s.start + std::clamp(next - row.t, 0.1, kMaxHold);
        s.luminance = row.luminance;
        s.signature = signatureForLuminance(row.luminance);
        s.luxStart = row.lux.value_or(kIndoorLux);
        s.luxEnd = i + 1 < rows.size() && next - row.t <= kMaxHold ? rows[i + 1].lux.value_or(s.luxStart) : s.luxStart;
        s.app = row.app;
        trace.days.back().push_back(s);
    }
    return trace;
}

} // namespace lumvex::sim
