// SPDX-License-Identifier: MIT
#include "RecordingReader.h"

#include "base/CivilDate.h"
#include "base/Files.h"
#include "base/JsonFields.h"
#include "engine/AdjustmentLogger.h"

#include <charconv>
#include <cmath>
#include <fstream>

namespace lumvex::report {

namespace {

// Rows are about a kilobyte; a far longer line is not one of them and is not kept in memory.
constexpr std::size_t kMaxLine = 64 * 1024;

// A malformed line; the reason says which field.
struct LineError
{
    std::string reason;
};

std::optional<double> optionalNumber(const ParsedJson &row, const char *key)
{
    const auto it = row.find(key);
    if (it == row.end()) {
        return std::nullopt;
    }
    if (!it->is_number() || !std::isfinite(it->get<double>())) {
        throw LineError{std::string("\"") + key + "\" is not a number"};
    }
    return it->get<double>();
}

double requiredNumber(const ParsedJson &row, const char *key)
{
    if (const auto value = optionalNumber(row, key)) {
        return *value;
    }
    throw LineError{std::string("\"") + key + "\" is missing"};
}

std::optional<std::string> optionalText(const ParsedJson &row, const char *key)
{
    const auto it = row.find(key);
    if (it == row.end()) {
        return std::nullopt;
    }
    if (!it->is_string()) {
        throw LineError{std::string("\"") + key + "\" is not a string"};
    }
    return it->get<std::string>();
}

std::optional<TelemetryPoint> telemetryPoint(std::string_view line)
{
    const auto row = json::parse(line);
    if (!row || !row->is_object()) {
        throw LineError{"not a JSON object"};
    }
    TelemetryPoint p;
    p.t = requiredNumber(*row, "t");
    const std::optional<double> brightness = optionalNumber(*row, "brightness");
    if (!brightness) {
        return std::nullopt; // the panel could not be read then: nothing to plot
    }
    p.brightness = *brightness;
    const auto trigger = optionalText(*row, "trigger");
    if (!trigger) {
        throw LineError{"\"trigger\" is missing"};
    }
    p.trigger = *trigger;
    p.event = optionalText(*row, "event");
    p.source = optionalText(*row, "source");
    p.bBefore = optionalNumber(*row, "b_before");
    p.bAfter = optionalNumber(*row, "b_after");
    p.lumRaw = optionalNumber(*row, "lum_raw");
    p.lumSlow = optionalNumber(*row, "lum_slow");
    p.ambLux = optionalNumber(*row, "amb_lux");
    p.bLoop = optionalNumber(*row, "b_loop");
    p.app = optionalText(*row, "app_name");
    if (const auto id = optionalText(*row, "app_id"); !p.app) {
        p.app = id;
    }
    if (const auto it = row->find("auto_on"); it != row->end()) {
        if (!it->is_boolean()) {
            throw LineError{"\"auto_on\" is not true or false"};
        }
        p.autoOn = it->get<bool>();
    }
    return p;
}

double csvNumber(std::string_view field, const char *name)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
        throw LineError{std::string(name) + " is not a number"};
    }
    return value;
}

Adjustment adjustment(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (fields.size() != 9) {
        throw LineError{"expected 9 fields, found " + std::to_string(fields.size())};
    }
    Adjustment a;
    const auto t = parseIso8601Utc(fields[0]);
    if (!t) {
        throw LineError{"timestamp_iso is not a UTC time"};
    }
    a.t = *t;
    if (fields[1].empty() || fields[1].find_first_not_of("abcdefghijklmnopqrstuvwxyz_") != std::string_view::npos) {
        throw LineError{"event_type is not a lower-case word"};
    }
    a.event = fields[1];
    a.before = csvNumber(fields[2], "B_before");
    a.after = csvNumber(fields[3], "B_after");
    a.luminance = csvNumber(fields[4], "L_filtered");
    return a;
}

// Calls `read` for every line that is not blank, with its number; notes what it throws.
template<typename Read>
void forEachLine(const std::filesystem::path &file, Recording &recording, Read read)
{
    std::error_code error;
    // A FIFO or a device would block or never end.
    if (const auto type = std::filesystem::status(file, error).type();
        type != std::filesystem::file_type::regular && type != std::filesystem::file_type::not_found) {
        recording.addProblem(file, 0, "cannot be read (not a regular file)");
        return;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        recording.addProblem(file, 0, "cannot be read");
        return;
    }
    recording.files.push_back(file);
    std::string line;
    for (std::size_t number = 1;; ++number) {
        const files::LineRead status = files::readLine(in, line, kMaxLine);
        if (status == files::LineRead::end) {
            break;
        }
        if (status == files::LineRead::tooLong) {
            recording.addProblem(file, number, "longer than " + std::to_string(kMaxLine / 1024) + " KB");
            continue;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        try {
            read(line, number);
        } catch (const LineError &e) {
            recording.addProblem(file, number, e.reason);
        }
    }
    if (in.bad()) {
        recording.addProblem(file, 0, "could not be read to the end");
    }
}

} // namespace

std::string Problem::text() const
{
    return file.string() + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + reason;
}

void Recording::addProblem(const std::filesystem::path &file, std::size_t line, std::string reason)
{
    if (problems.size() < kKeptProblems) {
        problems.push_back({file, line, std::move(reason)});
    }
    ++problemCount;
}

void readTelemetryFile(const std::filesystem::path &file, Recording &recording)
{
    forEachLine(file, recording, [&](std::string_view line, std::size_t) {
        if (std::optional<TelemetryPoint> point = telemetryPoint(line)) {
            recording.telemetry.push_back(std::move(*point));
        }
    });
}

void readAdjustmentLog(const std::filesystem::path &file, Recording &recording)
{
    const std::string_view header = AdjustmentLogger::kHeader.substr(0, AdjustmentLogger::kHeader.size() - 1);
    forEachLine(file, recording, [&](std::string_view line, std::size_t number) {
        if (line == header) {
            return;
        }
        if (number == 1) {
            throw LineError{"not the header of an adjustment log"};
        }
        recording.adjustments.push_back(adjustment(line));
    });
}

std::optional<double> parseIso8601Utc(std::string_view text)
{
    // yyyy-MM-ddTHH:mm:ss, then an optional fraction, then Z
    if (text.size() < 20 || text.back() != 'Z' || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    const auto field = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        int value = 0;
        const char *begin = text.data() + at;
        const auto [end, error] = std::from_chars(begin, begin + length, value);
        if (error != std::errc() || end != begin + length) {
            return std::nullopt;
        }
        return value;
    };
    const auto year = field(0, 4), month = field(5, 2), day = field(8, 2);
    const auto hour = field(11, 2), minute = field(14, 2), second = field(17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 || *day < 1 || *day > 31 ||
        *hour > 23 || *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    double fraction = 0.0;
    const std::string_view rest = text.substr(19, text.size() - 20);
    if (!rest.empty()) {
        const std::string digits = "0" + std::string(rest);
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), fraction);
        if (rest.size() < 2 || rest[0] != '.' || rest.find_first_not_of("0123456789", 1) != std::string_view::npos ||
            error != std::errc() || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
    }
    const auto days = daysFromCivil({*year, *month, *day});
    return static_cast<double>(days) * 86400.0 + *hour * 3600.0 + *minute * 60.0 + *second + fraction;
}

} // namespace lumvex::report
