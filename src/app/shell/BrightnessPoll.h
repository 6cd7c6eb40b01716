// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace lumvex {

// The quarter-second look at the built-in brightness: which changes were made outside the program (the
// brightness keys), which telemetry records and which the icon shows. Pure decisions; the shell acts.
class BrightnessPoll
{
public:
    struct Reading
    {
        double brightness = 0.0;
        std::optional<double> loopCurrent; // the loop's current brightness, when there is a loop
        bool loopEnabled = false;
        bool recording = false;
        // False while the desktop itself may be moving the backlight (idle dimming, lock, sleep, wake).
        bool userChangesTrusted = true;
    };

    struct TelemetryEvent
    {
        std::string source; // "auto" or "manual"
        double before;
        double after;
    };

    struct Actions
    {
        bool reportManualChange = false; // to the loop, as "system_key"
        bool acceptAsCurrent = false;    // to the loop, without learning
        std::optional<TelemetryEvent> telemetry;
        bool showBrightness = false;
    };

    Actions tick(const Reading &reading);

    // -1 until the first reading, so that any real level differs from it.
    double lastShown() const { return m_lastShown; }
    void setLastShown(double brightness) { m_lastShown = brightness; }
    void setRecorderLast(double brightness) { m_recorderLast = brightness; }

private:
    double m_lastShown = -1.0;
    double m_recorderLast = -1.0;
    // The outside level last reported or accepted, until the loop has taken it.
    std::optional<double> m_handedOver;
};

// Whether the screen is sampled: for the loop while it is on and the session is here and awake, for a
// recording whenever the machine is awake.
bool samplingWanted(bool loopEnabled, bool recording, bool away, bool sleeping);

// The volume half of the poll: whether the icon needs the new level.
class VolumePoll
{
public:
    bool changed(double volume);

private:
    double m_lastShown = -1.0;
};

} // namespace lumvex
