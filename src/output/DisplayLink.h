// SPDX-License-Identifier: MIT
#pragma once

#include "DisplayRange.h"
#include "sensing/DisplayId.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lumvex {

class BrightnessController;
class Defaults;
class DisplayRanges;
class DisplayServices;
class ExternalBrightness;

// Link Displays: with the setting on, a manual change (scroll, keys, lumvex ctl) moves every connected
// display to one shared level, each through its own range. The shared level is the built-in panel's
// level while the panel is in use; docked with the lid closed it is the level last chosen. Automatic
// writes are not followed. With the setting off nothing here acts.
class DisplayLink
{
public:
    // The EDID of the monitor on a connector ("DP-2"), when it can be read.
    using EdidLookup = std::function<std::optional<std::vector<std::uint8_t>>(const std::string &connector)>;

    struct Parts
    {
        BrightnessController &panel;
        ExternalBrightness &external;
        DisplayServices &displays;
        Defaults &defaults;
        DisplayRanges &ranges;
        EdidLookup edid;
    };

    // One connected display as lists show it.
    struct Row
    {
        DisplayId id = 0;
        std::string connector;
        std::string monitor; // the EDID's name, else empty
        std::string identity;
        bool builtIn = false;
        std::optional<double> level;
        DisplayRange range;
        bool answers = true;
    };

    explicit DisplayLink(const Parts &parts);

    bool enabled() const;
    // Switching on brings every display to the shared level at once.
    void setEnabled(bool on);

    // After a manual change of the built-in panel to `level`.
    void panelChanged(double level);
    // A manual change asked for on an external monitor: every other display follows; the result is the
    // level the built-in panel should take, when it is in use.
    std::optional<double> externalChanged(DisplayId display, double level);
    // Moves every display to the shared level (docked, with no panel in use).
    void setShared(double shared);
    std::optional<double> shared() const { return m_shared; }
    bool panelInUse();
    // The connected displays that are not built in.
    std::vector<DisplayId> externals();

    std::vector<Row> rows();
    // Who the display is: its EDID identity, else "connector NAME".
    std::string identity(DisplayId display);
    // Why a range was not taken, or (notSaved) taken only until Lumvex ends.
    struct RangeRefusal
    {
        enum class Kind { invalid, noSuchDisplay, builtIn, notSaved } kind;
        std::string message;
    };
    // Sets the range of the monitor named by its connector ("DP-2") or its own name; nothing when done.
    std::optional<RangeRefusal> setRange(const std::string &name, const DisplayRange &range);

    // Looks at the connected displays again: monitors that came (hot-plug, docking) take the shared
    // level. True when the displays, or which of them answer, changed since the last look.
    bool check();

private:
    struct Seen
    {
        DisplayId id;
        std::string identity;
        bool answers;
        auto operator<=>(const Seen &) const = default;
    };

    std::string connector(DisplayId display);
    // The monitor's EDID identity on that connector, else the connector itself.
    MonitorIdentity identify(const std::string &connector);
    Row row(DisplayId display);
    void applyToExternals(std::optional<DisplayId> except);

    Parts m_parts;
    std::optional<double> m_shared;
    std::set<Seen> m_seen;
};

} // namespace lumvex
