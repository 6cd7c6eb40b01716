// SPDX-License-Identifier: MIT
#pragma once

#include "DailyLogFile.h"
#include "RecordingSwitch.h"
#include "TelemetryRow.h"
#include "TelemetrySnapshot.h"
#include "base/Timestamp.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace lumvex {

class Clock;
class Defaults;
class RepeatingTimer;

// What the recorder writes down, and who hears when recording is switched.
class TelemetrySource
{
public:
    virtual ~TelemetrySource() = default;
    virtual TelemetrySnapshot currentState() = 0;
    // After every change of the switch, with its new state.
    virtual void recordingChanged(bool on) = 0;
};

// Records, while switched on, the state of the system as JSON lines in one file per local day
// (telemetry-yyyy-MM-dd.jsonl): a row when a session starts, a row for every reported event, and rows
// from a half-second look at the state whenever something moved or ten seconds passed. The files name
// the applications the user works in, so they and their folder are readable by the user only.
class TelemetryRecorder final : public RecordingSwitch
{
public:
    static constexpr std::chrono::milliseconds kTickInterval{500};
    static constexpr double kBrightnessStep = 0.003;
    static constexpr double kLumSlowStep = 0.015;
    static constexpr double kHeartbeatSeconds = 10.0;
    // The files of this many latest recorded days are kept, and no more than this many bytes of them; older
    // ones go when a new day's file opens.
    static constexpr std::size_t kKeptDays = 30;
    static constexpr std::uintmax_t kKeptBytes = 500ull << 20;

    // Creates the folder and reads the saved choice; a session starts only with startIfEnabled() or a switch.
    // The timer runs the half-second look while a session lasts; without one the look never runs.
    TelemetryRecorder(std::filesystem::path directory, TelemetrySource &source, const Clock &clock, Defaults &defaults,
                      std::unique_ptr<RepeatingTimer> timer);
    ~TelemetryRecorder() override;
    TelemetryRecorder(const TelemetryRecorder &) = delete;
    TelemetryRecorder &operator=(const TelemetryRecorder &) = delete;

    // Starts a session when recording was left on; once, at launch.
    void startIfEnabled();

    bool isRecording() const override { return m_recording; }
    void toggleRecording() override;
    void setRecording(bool on);
    std::filesystem::path directory() const override { return m_file.folder(); }

    // Writes one event row while recording ("brightness_change" with source "auto" or "manual" and both
    // brightness values; "app_switch" with none of them); ignored otherwise.
    void recordEvent(const std::string &event, const std::optional<std::string> &source = std::nullopt,
                     std::optional<double> bBefore = std::nullopt, std::optional<double> bAfter = std::nullopt);

private:
    void switchTo(bool on);
    void beginSession();
    void endSession();
    void tick();
    bool isDue(const TelemetrySnapshot &snapshot, Timestamp now) const;
    void writeRow(const TelemetryRow &row, std::optional<TelemetrySnapshot> snapshot, Timestamp now);

    TelemetrySource &m_source;
    const Clock &m_clock;
    Defaults &m_defaults;
    DailyLogFile m_file;
    std::unique_ptr<RepeatingTimer> m_timer; // after the file: it stops before the file closes
    bool m_recording = false;
    bool m_inSession = false;

    // What the last written row held, for the tick's change detection.
    std::optional<double> m_lastBrightness;
    std::optional<std::string> m_lastApp;
    double m_lastLumSlow = -1.0;
    std::optional<Timestamp> m_lastWrite; // none: the distant past
};

} // namespace lumvex
