// SPDX-License-Identifier: MIT
#include "TelemetryRecorder.h"

#include "RepeatingTimer.h"
#include "base/Clock.h"
#include "base/Files.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"

#include <cmath>

namespace lumvex {

TelemetryRecorder::TelemetryRecorder(std::filesystem::path directory, TelemetrySource &source, const Clock &clock,
                                     Defaults &defaults, std::unique_ptr<RepeatingTimer> timer)
    : m_source(source)
    , m_clock(clock)
    , m_defaults(defaults)
    , m_file(std::move(directory), "telemetry-", ".jsonl", kKeptDays, kKeptBytes)
    , m_timer(std::move(timer))
{
    files::makePrivateDirectories(m_file.folder());
    m_recording = settings::value(m_defaults, settings::telemetryRecording);
}

TelemetryRecorder::~TelemetryRecorder() = default;

void TelemetryRecorder::startIfEnabled()
{
    if (m_recording && !m_inSession) {
        beginSession();
    }
}

void TelemetryRecorder::toggleRecording()
{
    switchTo(!m_recording);
}

void TelemetryRecorder::setRecording(bool on)
{
    if (on != m_recording) {
        switchTo(on);
    }
}

void TelemetryRecorder::switchTo(bool on)
{
    m_recording = on;
    settings::set(m_defaults, settings::telemetryRecording, on);
    if (on) {
        beginSession();
    } else {
        endSession();
    }
    m_source.recordingChanged(on);
}

void TelemetryRecorder::beginSession()
{
    m_inSession = true;
    writeRow({"start", "session_start", std::nullopt, std::nullopt, std::nullopt}, std::nullopt, m_clock.now());
    if (m_timer) {
        m_timer->start(kTickInterval, [this] { tick(); });
    }
}

void TelemetryRecorder::endSession()
{
    if (m_timer) {
        m_timer->stop();
    }
    m_inSession = false;
    m_file.close();
    m_lastBrightness.reset();
    m_lastLumSlow = -1.0;
    m_lastApp.reset();
    m_lastWrite.reset();
}

void TelemetryRecorder::recordEvent(const std::string &event, const std::optional<std::string> &source,
                                    std::optional<double> bBefore, std::optional<double> bAfter)
{
    if (m_recording) {
        writeRow({event, event, source, bBefore, bAfter}, std::nullopt, m_clock.now());
    }
}

void TelemetryRecorder::tick()
{
    TelemetrySnapshot snapshot = m_source.currentState();
    const Timestamp now = m_clock.now();
    if (isDue(snapshot, now)) {
        writeRow({"tick", std::nullopt, std::nullopt, std::nullopt, std::nullopt}, std::move(snapshot), now);
    }
}

bool TelemetryRecorder::isDue(const TelemetrySnapshot &s, Timestamp now) const
{
    // A panel that became unreadable, or readable again, is a change too.
    const bool brightnessMoved = s.brightness.has_value() != m_lastBrightness.has_value() ||
                                 (s.brightness && std::abs(*s.brightness - *m_lastBrightness) > kBrightnessStep);
    return brightnessMoved || (s.lumSlow && std::abs(*s.lumSlow - m_lastLumSlow) > kLumSlowStep) ||
           s.appID != m_lastApp || !m_lastWrite || now - *m_lastWrite > kHeartbeatSeconds;
}

void TelemetryRecorder::writeRow(const TelemetryRow &row, std::optional<TelemetrySnapshot> snapshot, Timestamp now)
{
    if (!snapshot) {
        snapshot = m_source.currentState();
    }
    const std::string line = telemetry::encodeRow(row, *snapshot, now, m_clock.localTime(now));
    // A row that could not be written still counts for change detection; the next one tries again.
    m_file.append(m_clock.dayKey(now), line);
    m_lastBrightness = snapshot->brightness;
    m_lastApp = snapshot->appID;
    if (snapshot->lumSlow) {
        m_lastLumSlow = *snapshot->lumSlow;
    }
    m_lastWrite = now;
}

} // namespace lumvex
