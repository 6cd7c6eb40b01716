// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace lumvex {

// How a StatusNotifierItem host's Scroll(delta, orientation) becomes the status view's raw scroll delta:
// one wheel notch is 10 raw units (5 % through the step d / -200 of the scroll handler) and wheel up
// raises the level, that is gives a negative raw delta.
namespace scrollRules {

// Raw units of one notch.
inline constexpr double kRawUnitsPerNotch = 10.0;

// How a host counts: what it sends for one wheel notch, and whether wheel up is positive. Hosts send
// fractions of that for touchpads and high-resolution wheels.
struct HostScroll
{
    int unitsPerNotch = 120;
    bool upPositive = true;
    // A host we measured; the user's invert setting is for the others.
    bool known = false;

    bool operator==(const HostScroll &) const = default;
};

// Hosts we do not know: 120ths of a notch, up positive, as the protocol began (and as Qt's wheel events).
inline constexpr HostScroll kUnknownHost{120, true, false};

// The host by its process's command line (arguments separated by NUL or spaces), by the program's
// name: plasmashell and kded (Plasma's watcher) 120ths up positive, gnome-shell notches up negative,
// waybar half notches up negative, xfce4-panel (and its plugin wrapper) notches up negative.
HostScroll hostForCommandLine(std::string_view commandLine);

// The raw view delta for a host's vertical Scroll: wheel up negative, 10 units a notch, a delta under a
// notch a fraction of it. `invert` is the user's setting "invertScroll", which flips unknown hosts only.
double viewDelta(int delta, HostScroll host, bool invert);

// Whether a Scroll orientation is the vertical one ("vertical", any case).
bool isVertical(std::string_view orientation);

} // namespace scrollRules
} // namespace lumvex
