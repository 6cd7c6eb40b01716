// SPDX-License-Identifier: MIT
#pragma once

#include "ScreenReduction.h"

#include <optional>
#include <string>

namespace lumvex {

// One display's content, captured and reduced to luminance figures. Used from one thread at a time,
// which need not be the thread that made it.
class ScreenCapture
{
public:
    virtual ~ScreenCapture() = default;

    // The figures of the display as it is now; nothing when no image could be had this time.
    virtual std::optional<ScreenReduction> captureAndReduce() = 0;

    // Why capture cannot work in this session at all, in one line for the user; nothing while it
    // works or may work on a later try.
    virtual std::optional<std::string> unavailableReason() const = 0;

    // No captures for a while: what is kept between captures may be let go.
    virtual void pause() {}

    // Whether capturing may ask the user or show that the screen is being shared (a permission dialog, a
    // sharing indicator). Such a capture is worth it only while the screen is watched anyway.
    virtual bool isNoticeable() const { return false; }
};

} // namespace lumvex
