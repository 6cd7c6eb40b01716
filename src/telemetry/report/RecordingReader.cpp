// SPDX-License-Identifier: MIT
#include "RecordingReader.h"

#include "base/CivilDate.h"
#include "base/Translation.h"
#include "engine/AdjustmentLogger.h"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

namespace lumvex::report {

namespace {

// Rows are about a kilobyte; a far longer line is not one of them and is not kept in memory.
constexpr std::size_t kMaxLine = 64 * 1024;

// A malformed line; the reason says which field.
struct LineError
{
    std::string reason;
};

// The fields the report reads; every other one is skipped unread.
enum class Key : std::size_t {
    t,
    brightness,
    trigger,
    event,
    source,
    bBefore,
    bAfter,
    lumRaw,
    lumSlow,
    ambLux,
    bLoop,
    appName,
    appId,
    autoOn,
    count
};

constexpr std::array<std::string_view, static_cast<std::size_t>(Key::count)> kKeyNames{
    "t",       "brightness", "trigger", "event",  "source",   "b_before", "b_after",
    "lum_raw", "lum_slow",   "amb_lux", "b_loop", "app_name", "app_id",   "auto_on"};

std::optional<Key> keyOf(std::string_view name)
{
    // Most names a row holds are not read; the length and the first letter turn nearly all of them away.
    for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
        const std::string_view known = kKeyNames[i];
        if (known.size() == name.size() && known[0] == name[0] && known == name) {
            return static_cast<Key>(i);
        }
    }
    return std::nullopt;
}

// A telemetry row's fields as the reader meets them, whatever their order; a later duplicate wins.
class RowFields
{
public:
    explicit RowFields(simdjson::ondemand::object &object)
    {
        for (auto field : object) {
            std::string_view name;
            if (field.unescaped_key().get(name) != simdjson::SUCCESS) {
                throw LineError{i18n::translate("Report", "not a JSON object")};
            }
            const std::optional<Key> key = keyOf(name);
            if (!key) {
                continue;
            }
            simdjson::ondemand::value value;
            simdjson::ondemand::json_type type;
            if (field.value().get(value) != simdjson::SUCCESS || value.type().get(type) != simdjson::SUCCESS) {
                throw LineError{i18n::translate("Report", "not a JSON object")};
            }
            Field &f = m_fields[static_cast<std::size_t>(*key)];
            f = Field{};
            f.present = true;
            if (type == simdjson::ondemand::json_type::number) {
                double number = 0.0;
                f.isNumber = value.get_double().get(number) == simdjson::SUCCESS && std::isfinite(number);
                f.number = number;
            } else if (type == simdjson::ondemand::json_type::string) {
                f.isText = value.get_string().get(f.text) == simdjson::SUCCESS;
            } else if (type == simdjson::ondemand::json_type::boolean) {
                bool flag = false;
                f.isBool = value.get_bool().get(flag) == simdjson::SUCCESS;
                f.flag = flag;
            }
        }
    }

    std::optional<double> number(Key key) const
    {
        return typed(key, &Field::isNumber, &Field::number, QT_TRANSLATE_NOOP("Report", "a number"));
    }

    double requiredNumber(Key key) const
    {
        if (const auto value = number(key)) {
            return *value;
        }
        throw LineError{i18n::arg(i18n::translate("Report", "\"%1\" is missing"), {name(key)})};
    }

    std::optional<std::string_view> text(Key key) const
    {
        return typed(key, &Field::isText, &Field::text, QT_TRANSLATE_NOOP("Report", "a string"));
    }

    std::optional<bool> flag(Key key) const
    {
        return typed(key, &Field::isBool, &Field::flag, QT_TRANSLATE_NOOP("Report", "true or false"));
    }

private:
    struct Field
    {
        bool present = false;
        bool isNumber = false;
        bool isText = false;
        bool isBool = false;
        double number = 0.0;
        bool flag = false;
        std::string_view text; // in the parser's buffer
    };

    // Nothing when the row leaves the field out; a field of another type makes the line unreadable.
    template<typename T>
    std::optional<T> typed(Key key, bool Field::*isType, T Field::*value, const char *type) const
    {
        const Field &f = at(key);
        if (!f.present) {
            return std::nullopt;
        }
        if (!(f.*isType)) {
            throw LineError{
                i18n::arg(i18n::translate("Report", "\"%1\" is not %2"), {name(key), i18n::translate("Report", type)})};
        }
        return f.*value;
    }

    static std::string_view name(Key key) { return kKeyNames[static_cast<std::size_t>(key)]; }
    const Field &at(Key key) const { return m_fields[static_cast<std::size_t>(key)]; }

    std::array<Field, kKeyNames.size()> m_fields{};
};

// `line` must be followed by simdjson::SIMDJSON_PADDING readable bytes.
std::optional<TelemetryPoint> telemetryPoint(simdjson::ondemand::parser &parser, std::string_view line)
{
    // The parser stops at the object's end; what follows it is checked here.
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t");
    simdjson::ondemand::document document;
    simdjson::ondemand::object object;
    if (line[first] != '{' || line[last] != '}' ||
        parser.iterate(line.data(), line.size(), line.size() + simdjson::SIMDJSON_PADDING).get(document) !=
            simdjson::SUCCESS ||
        document.get_object().get(object) != simdjson::SUCCESS) {
        throw LineError{i18n::translate("Report", "not a JSON object")};
    }
    const RowFields row(object);
    TelemetryPoint p;
    p.t = row.requiredNumber(Key::t);
    const std::optional<double> brightness = row.number(Key::brightness);
    if (!brightness) {
        return std::nullopt; // the panel could not be read then: nothing to plot
    }
    p.brightness = *brightness;
    const auto trigger = row.text(Key::trigger);
    if (!trigger) {
        throw LineError{i18n::arg(i18n::translate("Report", "\"%1\" is missing"), {"trigger"})};
    }
    p.trigger = *trigger;
    p.event = row.text(Key::event);
    p.source = row.text(Key::source);
    p.bBefore = row.number(Key::bBefore);
    p.bAfter = row.number(Key::bAfter);
    p.lumRaw = row.number(Key::lumRaw);
    p.lumSlow = row.number(Key::lumSlow);
    p.ambLux = row.number(Key::ambLux);
    p.bLoop = row.number(Key::bLoop);
    p.app = row.text(Key::appName);
    if (const auto id = row.text(Key::appId); !p.app) {
        p.app = id;
    }
    p.autoOn = row.flag(Key::autoOn).value_or(false);
    return p;
}

double csvNumber(std::string_view field, const char *name)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
        throw LineError{i18n::arg(i18n::translate("Report", "%1 is not a number"), {name})};
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
        throw LineError{
            i18n::arg(i18n::translate("Report", "expected 9 fields, found %1"), {std::to_string(fields.size())})};
    }
    Adjustment a;
    const auto t = parseIso8601Utc(fields[0]);
    if (!t) {
        throw LineError{i18n::arg(i18n::translate("Report", "%1 is not a UTC time"), {"timestamp_iso"})};
    }
    a.t = *t;
    if (fields[1].empty() || fields[1].find_first_not_of("abcdefghijklmnopqrstuvwxyz_") != std::string_view::npos) {
        throw LineError{i18n::arg(i18n::translate("Report", "%1 is not a lower-case word"), {"event_type"})};
    }
    const auto source = adjustmentSourceFromLogText(fields[1]);
    if (!source) {
        // A word from a later version, or a damaged one: counted neither as the user's nor as the loop's.
        throw LineError{i18n::arg(i18n::translate("Report", "%1 \"%2\" is unknown"), {"event_type", fields[1]})};
    }
    a.source = *source;
    a.before = csvNumber(fields[2], "B_before");
    a.after = csvNumber(fields[3], "B_after");
    a.luminance = csvNumber(fields[4], "L_filtered");
    return a;
}

// Calls `read` for every line that is not blank, with its number; notes what it throws. Each line handed
// on is followed by at least simdjson::SIMDJSON_PADDING readable bytes; the file is read in chunks, so a
// file of any size takes the same memory.
template<typename Read>
void forEachLine(const std::filesystem::path &file, Recording &recording, Read read)
{
    std::error_code error;
    // A FIFO or a device would block or never end.
    if (const auto type = std::filesystem::status(file, error).type();
        type != std::filesystem::file_type::regular && type != std::filesystem::file_type::not_found) {
        recording.addProblem(file, 0, i18n::translate("Report", "cannot be read (not a regular file)"));
        return;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        recording.addProblem(file, 0, i18n::translate("Report", "cannot be read"));
        return;
    }
    recording.files.push_back(file);
    constexpr std::size_t kChunk = 1 << 20;
    std::vector<char> buffer(kChunk + kMaxLine + simdjson::SIMDJSON_PADDING + 1);
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t number = 0;
    bool skipping = false; // the rest of a line found too long
    bool last = false;
    const auto handle = [&](std::string_view line) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            return;
        }
        try {
            read(line, number);
        } catch (const LineError &e) {
            recording.addProblem(file, number, e.reason);
        }
    };
    while (!last) {
        // Keep the unfinished line, then fill up behind it.
        std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(begin),
                  buffer.begin() + static_cast<std::ptrdiff_t>(end), buffer.begin());
        end -= begin;
        begin = 0;
        in.read(buffer.data() + end, static_cast<std::streamsize>(buffer.size() - simdjson::SIMDJSON_PADDING - end));
        end += static_cast<std::size_t>(in.gcount());
        last = !in;
        std::fill_n(buffer.begin() + static_cast<std::ptrdiff_t>(end), simdjson::SIMDJSON_PADDING, '\0');
        for (;;) {
            const std::string_view rest(buffer.data() + begin, end - begin);
            const std::size_t feed = rest.find('\n');
            if (feed == std::string_view::npos) {
                if (rest.size() > kMaxLine && !skipping) {
                    ++number;
                    recording.addProblem(
                        file, number,
                        i18n::arg(i18n::translate("Report", "longer than %1 KB"), {std::to_string(kMaxLine / 1024)}));
                    skipping = true;
                }
                if (skipping) {
                    begin = end;
                } else if (last && !rest.empty()) {
                    buffer[end] = '\0';
                    handle(rest);
                    begin = end;
                }
                break;
            }
            if (skipping) {
                skipping = false;
            } else if (feed > kMaxLine) {
                ++number;
                recording.addProblem(
                    file, number,
                    i18n::arg(i18n::translate("Report", "longer than %1 KB"), {std::to_string(kMaxLine / 1024)}));
            } else {
                handle(rest.substr(0, feed));
            }
            begin += feed + 1;
        }
    }
    if (in.bad()) {
        recording.addProblem(file, 0, i18n::translate("Report", "could not be read to the end"));
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

void readTelemetryFile(const std::filesystem::path &file, Recording &recording, const TelemetrySink &sink)
{
    simdjson::ondemand::parser parser;
    forEachLine(file, recording, [&](std::string_view line, std::size_t) {
        if (std::optional<TelemetryPoint> point = telemetryPoint(parser, line)) {
            sink(std::move(*point));
        }
        ++recording.telemetryRows;
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
            throw LineError{i18n::translate("Report", "not the header of an adjustment log")};
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
