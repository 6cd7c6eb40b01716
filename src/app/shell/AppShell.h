// SPDX-License-Identifier: MIT
#pragma once

#include "BrightnessPoll.h"
#include "DesktopChangeGuard.h"
#include "engine/LoopInputs.h"
#include "sensing/DisplayId.h"
#include "telemetry/TelemetryRecorder.h"

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace lumvex {

class AdjustmentLogger;
class AmbientLightSensor;
class CalibrationModel;
class Clock;
class CompensationLoop;
class ContentSampler;
class DailyStats;
class Defaults;
class Desktop;
class DisplayLink;
class DisplayRanges;
class DisplayRouter;
class ExternalBrightnessController;
class ExternalDisplayLoop;
class FreedesktopNotifier;
class FrontmostAppProvider;
class LoginItem;
class PulseVolumeController;
class RemoteControl;
class SessionMonitor;
class StatusItemController;
class SysfsBacklight;
class TelemetryRecorder;
struct TelemetrySnapshot;
class TrayHostWatch;
class UpdaterController;

// Owns every component for the life of the process, makes them in a fixed order, wires them together,
// polls the built-in brightness and the volume four times a second and decides when the screen is
// sampled. Apart from the poll's thresholds it holds no rule of its own.
class AppShell : public QObject,
                 private AmbientLevelProvider,
                 private ContentSignatureProvider,
                 private MainDisplayProvider,
                 private TelemetrySource
{
    Q_OBJECT

public:
    // startedAtLogin: the session started it, not the user; it then introduces itself to no one.
    AppShell(const Clock &clock, Defaults &defaults, bool startedAtLogin = false, QObject *parent = nullptr);
    ~AppShell() override;

    // The launch sequence; returns at once, the event loop does the rest.
    void launch();

    bool hasBacklight() const;

private:
    void launchStep(std::size_t step);
    void openDesktopServices();
    void makeUpdater();
    void startRunning();
    void setUpDataCapture();
    void setUpOutputs();
    void setUpLearning();
    // The sampler of a display, wired to the loop.
    void makeSampler(DisplayId display);
    void makeStatusItems();
    // Tells the user what they cannot see: no panel shows the items, the first start, a second start.
    void watchTrayHost();
    void showItself();
    // Capture follows the main display; a main display that has gone leaves the menu's capture line.
    void followMainDisplay();
    void followLinkedDisplays();
    void signatureArrived();
    void updatePause(std::optional<double> brightness);
    // What the loop reads: the sensor, the sampler's signatures while fresh, the main display.
    std::optional<double> ambientLevel() override;
    std::optional<ContentSignature> smoothedSignature() override;
    std::optional<ContentSignature> latestSignature() override;
    bool requestSignature() override;
    // Picks up a backlight that appears after the start.
    void rescanDevices();
    void pollTick();
    void updateSampling();
    void onAwayChanged(bool away);
    void onSleepingChanged(bool sleeping);
    TelemetrySnapshot snapshot() const;
    // What the recorder writes, and its switch turning sampling on or off.
    TelemetrySnapshot currentState() override { return snapshot(); }
    void recordingChanged(bool) override { updateSampling(); }
    bool mainDisplayIsBuiltIn() const override;

    const Clock &m_clock;
    Defaults &m_defaults;
    const bool m_startedAtLogin;

    // Declared in the order of making, so that they go in reverse: nothing outlives what it uses.
    std::unique_ptr<LoginItem> m_loginItem;
    std::unique_ptr<SysfsBacklight> m_brightness;
    // The session's displays, capture, pointer watch and application in front.
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<UpdaterController> m_updater;
    FrontmostAppProvider *m_frontmostApp = nullptr; // the desktop's
    std::unique_ptr<AmbientLightSensor> m_ambient;
    std::unique_ptr<TelemetryRecorder> m_recorder;
    std::unique_ptr<ExternalBrightnessController> m_external;
    std::unique_ptr<DisplayRouter> m_router;
    std::unique_ptr<DisplayRanges> m_ranges;
    std::unique_ptr<DisplayLink> m_link;
    std::unique_ptr<PulseVolumeController> m_volume;
    std::unique_ptr<AdjustmentLogger> m_logger;
    std::unique_ptr<CalibrationModel> m_calibration;
    std::unique_ptr<DailyStats> m_dailyStats;
    std::unique_ptr<CompensationLoop> m_loop;
    // The loop for an external main display over DDC/CI, with "adjustExternalDisplays" on.
    std::unique_ptr<ExternalDisplayLoop> m_externalLoop;
    // Its worker posts into everything above.
    std::unique_ptr<ContentSampler> m_sampler;
    std::unique_ptr<StatusItemController> m_statusController;
    std::unique_ptr<RemoteControl> m_control;
    std::unique_ptr<FreedesktopNotifier> m_notifier;
    std::unique_ptr<TrayHostWatch> m_trayWatch;
    SessionMonitor *m_session = nullptr;

    DisplayId m_captureDisplay = 0;
    bool m_mainDisplayGone = false;
    int m_ticksSinceDisplayCheck = 0;
    QTimer m_signatureTimeout;

    QTimer m_pollTimer;
    QTimer m_rescanTimer;
    BrightnessPoll m_poll;
    VolumePoll m_volumePoll;
    DesktopChangeGuard m_guard;
};

} // namespace lumvex
