// SPDX-License-Identifier: MIT
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace lumvex {

// What is written: keys stay in the order they were set.
using Json = nlohmann::ordered_json;
// What is read: a sorted map, so that an object with many keys parses in n log n time rather than n².
using ParsedJson = nlohmann::json;

// A stored JSON value that does not have the expected form; the message names the key.
class JsonDecodeError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

namespace json {

// Members of a JSON object, looked up by exact name. Each throws JsonDecodeError when the member is
// missing or of the wrong type.
std::int64_t requireInteger(const ParsedJson &object, const char *key);
double requireNumber(const ParsedJson &object, const char *key);
// Absent or null gives an empty optional.
std::optional<std::int64_t> optionalInteger(const ParsedJson &object, const char *key);

// The value as a 64-bit integer when it is one (integral numbers written with a fraction included).
std::optional<std::int64_t> asInteger(const ParsedJson &value);

// Parses text, or returns nothing for malformed JSON.
std::optional<ParsedJson> parse(std::string_view text);

} // namespace json
} // namespace lumvex
