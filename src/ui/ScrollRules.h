#pragma once

#include <string_view>

namespace lumvex {

// How a StatusNotifierItem host's Scroll(delta, orientation) becomes the status view's raw scroll delta:
// one wheel notch is 10 raw units (5 % through the step d / -200 of the scroll handler) and wheel up
// raises the level, that is gives a negative raw delta.
namespace scrollRules {

// Raw units of one notch.
inline constexpr double kRawUnitsPerNotch = 10.0;
// Hosts that send 120ths of a notch send at least half a notch at a time.
inline constexpr int kEighthsThreshold = 60;

// Which way a host counts: Qt-based hosts (Plasma, most others) send positive deltas for wheel up;
// xfce4-panel sends -1 for wheel up.
enum class HostConvention { upPositive, upNegative };

// Notches for a delta: |delta| >= 60 counts in 120ths of a notch, anything smaller in whole notches.
// Signed as the host sent it.
double notches(int delta);

// The convention of a host by its process's command line (arguments separated by NUL or spaces):
// xfce4-panel and its plugin wrappers count up negative; anyone else up positive.
HostConvention conventionForCommandLine(std::string_view commandLine);

// The raw view delta for a host's vertical Scroll: wheel up negative, 10 units a notch. `invert` is the
// user's setting "invertScroll" and flips the result.
double viewDelta(int delta, HostConvention convention, bool invert);

// Whether a Scroll orientation is the vertical one ("vertical", any case).
bool isVertical(std::string_view orientation);

} // namespace scrollRules
} // namespace lumvex
