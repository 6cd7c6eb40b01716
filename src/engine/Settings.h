// SPDX-License-Identifier: MIT
#pragma once

#include "Defaults.h"

#include <optional>
#include <string>
#include <string_view>

// Every setting the program keeps, with its stored name, type and default, and typed access through
// Defaults. The names are those in users' settings files: never rename one.
namespace lumvex::settings {

// A switch; absent reads as its default.
struct Switch
{
    std::string_view name;
    bool fallback = false;
};

// Text; absent reads as no value, and each reader says what that means.
struct Text
{
    std::string_view name;
};

// Automatic adjustment.
inline constexpr Switch autoAdjust{"autoAdjustEnabled"};
// Centre the band on the brightness remembered for each situation.
inline constexpr Switch rememberBrightnessPerSituation{"rememberBrightnessPerSituation"};
// Runs the loop for an external main display reached over DDC/CI (lid closed, or the built-in panel off).
inline constexpr Switch adjustExternalDisplays{"adjustExternalDisplays"};
// The menu's line with the loop's numbers.
inline constexpr Switch showCompensationDebug{"showCompensationDebug"};
// Flips the wheel on hosts whose direction is unknown.
inline constexpr Switch invertScroll{"invertScroll"};
// A manual change moves every connected display together, each through its own range.
inline constexpr Switch linkDisplays{"linkDisplays"};
inline constexpr Switch telemetryRecording{"telemetryRecording"};
// Whether the start at login has been set up once, so that the user's later choice stands.
inline constexpr Switch loginItemDefaultApplied{"didApplyLoginItemDefault"};
// Whether the first start's notice has introduced the tray item.
inline constexpr Switch introductionShown{"didShowIntroduction"};

// "pie" (absent) or "curtain".
inline constexpr Text iconStyle{"iconStyle"};
// "light", "dark" or "#rrggbb"; absent: the desktop's colour scheme decides.
inline constexpr Text iconColor{"iconColor"};
// The screen-cast portal's token for starting again without asking.
inline constexpr Text screenCastRestoreToken{"screenCastRestoreToken"};
// Where updates are looked for; absent: the built-in feed.
inline constexpr Text updateFeedUrl{"updateFeedURL"};
// Unix seconds of the last update check that read the feed.
inline constexpr Text lastUpdateCheck{"lastUpdateCheck"};

inline bool value(const Defaults &defaults, const Switch &key)
{
    return defaults.boolValue(std::string(key.name)).value_or(key.fallback);
}

inline void set(Defaults &defaults, const Switch &key, bool on)
{
    defaults.setBool(std::string(key.name), on);
}

inline std::optional<std::string> value(const Defaults &defaults, const Text &key)
{
    return defaults.stringValue(std::string(key.name));
}

inline void set(Defaults &defaults, const Text &key, const std::string &text)
{
    defaults.setString(std::string(key.name), text);
}

inline void remove(Defaults &defaults, const Text &key)
{
    defaults.remove(std::string(key.name));
}

} // namespace lumvex::settings
