// SPDX-License-Identifier: MIT
#include "JsonFields.h"

#include <cmath>
#include <limits>

namespace lumvex::json {

namespace {

const ParsedJson &member(const ParsedJson &object, const char *key)
{
    if (!object.is_object()) {
        throw JsonDecodeError(std::string("expected an object holding \"") + key + "\"");
    }
    const auto it = object.find(key);
    if (it == object.end()) {
        throw JsonDecodeError(std::string("missing \"") + key + "\"");
    }
    return *it;
}

} // namespace

std::optional<std::int64_t> asInteger(const ParsedJson &value)
{
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(u);
    }
    if (value.is_number_integer()) {
        return value.get<std::int64_t>();
    }
    if (value.is_number_float()) {
        const double d = value.get<double>();
        // 2^63 is the first double past the int64 range.
        if (std::isfinite(d) && d == std::trunc(d) && d >= -9223372036854775808.0 && d < 9223372036854775808.0) {
            return static_cast<std::int64_t>(d);
        }
    }
    return std::nullopt;
}

std::int64_t requireInteger(const ParsedJson &object, const char *key)
{
    if (const auto value = asInteger(member(object, key))) {
        return *value;
    }
    throw JsonDecodeError(std::string("\"") + key + "\" is not an integer");
}

double requireNumber(const ParsedJson &object, const char *key)
{
    const ParsedJson &value = member(object, key);
    if (!value.is_number() || !std::isfinite(value.get<double>())) {
        throw JsonDecodeError(std::string("\"") + key + "\" is not a finite number");
    }
    return value.get<double>();
}

std::optional<std::int64_t> optionalInteger(const ParsedJson &object, const char *key)
{
    if (!object.is_object()) {
        throw JsonDecodeError(std::string("expected an object holding \"") + key + "\"");
    }
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) {
        return std::nullopt;
    }
    if (const auto value = asInteger(*it)) {
        return value;
    }
    throw JsonDecodeError(std::string("\"") + key + "\" is not an integer");
}

std::optional<ParsedJson> parse(std::string_view text)
{
    ParsedJson value = ParsedJson::parse(text, nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded()) {
        return std::nullopt;
    }
    return value;
}

} // namespace lumvex::json
