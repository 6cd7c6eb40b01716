// SPDX-License-Identifier: MIT
#include "ToolOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumvex::external {

namespace {

// One code point decoded from valid UTF-8, and how many bytes it took.
struct CodePoint
{
    char32_t value = 0;
    std::size_t length = 0;
};

std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

CodePoint decodeAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = sequenceLength(lead);
    if (length == 0 || at + length > text.size()) {
        return {};
    }
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        value = value << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    return {value, length};
}

// White space and line breaks: Unicode's separators (Zs, Zl, Zp), the ASCII controls TAB to CR, and NEL.
bool isWhitespace(char32_t c)
{
    return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::vector<std::string> readArguments(DisplayId display)
{
    return {"display", "id=" + std::to_string(display), "get", "luminance"};
}

std::vector<std::string> writeArguments(DisplayId display, int percent)
{
    return {"display", "id=" + std::to_string(display), "set", "luminance", std::to_string(percent)};
}

bool isValidUtf8(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || at + length > bytes.size()) {
            return false;
        }
        for (std::size_t i = 1; i < length; ++i) {
            if (!isContinuation(static_cast<unsigned char>(bytes[at + i]))) {
                return false;
            }
        }
        // The second byte decides overlong three- and four-byte forms, surrogates and the top limit.
        const auto second = length > 1 ? static_cast<unsigned char>(bytes[at + 1]) : 0;
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
            (lead == 0xF4 && second > 0x8F)) {
            return false;
        }
        at += length;
    }
    return true;
}

std::string_view trimWhitespace(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size()) {
        const CodePoint c = decodeAt(text, begin);
        if (c.length == 0 || !isWhitespace(c.value)) {
            break;
        }
        begin += c.length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        std::size_t start = end - 1;
        while (start > begin && isContinuation(static_cast<unsigned char>(text[start]))) {
            --start;
        }
        const CodePoint c = decodeAt(text, start);
        if (c.length == 0 || !isWhitespace(c.value)) {
            break;
        }
        end = start;
    }
    return text.substr(begin, end - begin);
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    const bool plus = text.starts_with('+');
    if (plus) {
        text.remove_prefix(1);
    }
    const std::string_view digits = !plus && text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> brightnessFromOutput(std::string_view output)
{
    const std::optional<std::int64_t> value = parseInteger(trimWhitespace(output));
    if (!value) {
        return std::nullopt;
    }
    return static_cast<double>(std::clamp<std::int64_t>(*value, 0, 100)) / 100.0;
}

std::optional<int> percentForBrightness(double brightness)
{
    if (std::isnan(brightness)) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp(std::round(brightness * 100.0), 0.0, 100.0));
}

} // namespace lumvex::external
