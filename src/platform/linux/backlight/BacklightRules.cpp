// SPDX-License-Identifier: MIT
#include "BacklightRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumvex::backlight {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

} // namespace

BacklightType parseType(std::string_view text)
{
    const std::string_view type = trimmed(text);
    if (type == "firmware") {
        return BacklightType::Firmware;
    }
    if (type == "platform") {
        return BacklightType::Platform;
    }
    if (type == "raw") {
        return BacklightType::Raw;
    }
    return BacklightType::Unknown;
}

std::optional<BacklightDevice> chooseDevice(const std::vector<BacklightDevice> &devices)
{
    const auto best = std::min_element(devices.begin(), devices.end(), [](const auto &a, const auto &b) {
        return a.type != b.type ? a.type < b.type : a.name < b.name;
    });
    if (best == devices.end()) {
        return std::nullopt;
    }
    return *best;
}

std::optional<long> parseRawValue(std::string_view text)
{
    const std::string_view digits = trimmed(text);
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

long lowestStep(BacklightType type)
{
    return type == BacklightType::Raw ? 1 : 0;
}

long rawStepFor(float level, long maxBrightness, long minStep)
{
    const double scaled = std::clamp(static_cast<double>(level), 0.0, 1.0) * static_cast<double>(maxBrightness);
    return std::clamp(std::lround(scaled), std::min(minStep, maxBrightness), maxBrightness);
}

bool holdsWrittenStep(long raw, const std::optional<WrittenLevel> &written)
{
    return written && written->step == raw;
}

float readBackLevel(long raw, long maxBrightness, const std::optional<WrittenLevel> &written)
{
    if (holdsWrittenStep(raw, written)) {
        return written->level;
    }
    if (maxBrightness <= 0) {
        return 0.0f;
    }
    return static_cast<float>(static_cast<double>(std::clamp(raw, 0L, maxBrightness)) / maxBrightness);
}

} // namespace lumvex::backlight
