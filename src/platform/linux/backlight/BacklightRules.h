// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::backlight {

// The kernel's backlight types. Firmware interfaces know the panel's usable range, platform drivers come
// next, raw register access last; an unreadable or unknown type ranks below all of them.
enum class BacklightType { Firmware, Platform, Raw, Unknown };

BacklightType parseType(std::string_view text);

struct BacklightDevice
{
    std::string name;
    BacklightType type = BacklightType::Unknown;
};

// The device to drive: the best type, ties broken by name order; nothing without devices.
std::optional<BacklightDevice> chooseDevice(const std::vector<BacklightDevice> &devices);

// A sysfs attribute holding one non-negative integer ("255\n"); nothing for anything else.
std::optional<long> parseRawValue(std::string_view text);

// The lowest step a level may map to. On raw devices step 0 often switches the light off, which would
// leave the user in front of a black panel with no way to see the tray.
long lowestStep(BacklightType type);

// The raw step nearest to a level (limited to 0...1), never below minStep.
long rawStepFor(float level, long maxBrightness, long minStep);

// The level that was last written and the raw step it went to the device as.
struct WrittenLevel
{
    float level = 0.0f;
    long step = 0;
};

// Whether the device still holds the step that we wrote.
bool holdsWrittenStep(long raw, const std::optional<WrittenLevel> &written);

// What a read reports: the level we wrote while the device holds its step, so that a value read back
// equals the value written; otherwise raw / max in single precision.
float readBackLevel(long raw, long maxBrightness, const std::optional<WrittenLevel> &written);

} // namespace lumvex::backlight
