#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace lumvex {

using Json = nlohmann::ordered_json;

// A stored JSON value that does not have the expected form; the message names the key.
class JsonDecodeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

namespace json {

// Members of a JSON object, looked up by exact name. Each throws JsonDecodeError when the member is
// missing or of the wrong type.
std::int64_t requireInteger(const Json &object, const char *key);
double requireNumber(const Json &object, const char *key);
// Absent or null gives an empty optional.
std::optional<std::int64_t> optionalInteger(const Json &object, const char *key);

// The value as a 64-bit integer when it is one (integral numbers written with a fraction included).
std::optional<std::int64_t> asInteger(const Json &value);

// Parses text, or returns nothing for malformed JSON.
std::optional<Json> parse(std::string_view text);

} // namespace json
} // namespace lumvex
