// SPDX-License-Identifier: MIT
#include "AppShell.h"
#include "StallProbe.h"
#include "platform/linux/Logging.h"

#include "ConnectorMatch.h"
#include "app/control/LeaveUserLevel.h"
#include "app/control/RemoteControl.h"
#include "app/shell/ShellNotices.h"
#include "base/Clock.h"
#include "base/Files.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/ExternalDisplayLoop.h"
#include "engine/FrontmostAppProvider.h"
#include "engine/Settings.h"
#include "output/DisplayLink.h"
#include "output/DisplayRange.h"
#include "output/DisplayRanges.h"
#include "output/WriteRation.h"
#include "platform/linux/XdgPaths.h"
#include "platform/linux/audio/PulseVolumeController.h"
#include "platform/linux/backlight/SysfsBacklight.h"
#include "platform/linux/backlight/SysfsRoot.h"
#include "platform/linux/capture/QueuedPost.h"
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "platform/linux/desktop/OpenDesktop.h"
#include "platform/linux/light/LightSourceFactory.h"
#include "platform/linux/session/SessionMonitor.h"
#include "sensing/AmbientLightSensor.h"
#include "sensing/ContentSampler.h"
#include "sensing/DisplayRouter.h"
#include "sensing/DisplayServices.h"
#include "system/FreedesktopNotifier.h"
#include "system/LoginItem.h"
#include "system/ProgramLocation.h"
#include "system/SystemLog.h"
#include "system/UpdaterController.h"
#include "system/XdgAutostart.h"
#include "telemetry/TelemetryRecorder.h"
#include "telemetry/TelemetrySnapshot.h"
#include "telemetry/qt/QtRepeatingTimer.h"
#include "ui/StatusItemController.h"
#include "ui/TrayHostWatch.h"
#include "ui/TrayItem.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLocale>

#include <array>
#include <chrono>
#include <cstdlib>
#include <utility>

namespace lumvex {

namespace {

constexpr int kPollIntervalMs = 250;
// The main display is looked at every fourth poll.
constexpr int kDisplayCheckTicks = 4;
// A device that appears later is looked for this often while it is missing.
constexpr int kRescanIntervalMs = 5000;
// How long a manual change waits for the one capture it asked for.
constexpr int kSignatureWaitMs = 1500;
std::string currentDesktop()
{
    const char *value = std::getenv("XDG_CURRENT_DESKTOP");
    return value != nullptr ? value : "";
}

constexpr const char *kMainDisplayGone =
    QT_TRANSLATE_NOOP("Notices", "No display to watch: capture resumes when the main display is back.");
constexpr const char *kAwaitingDisplays =
    QT_TRANSLATE_NOOP("Notices", "No display yet: waiting for the compositor to describe its displays.");

std::optional<std::string> captureOverride()
{
    const char *value = std::getenv("LUMVEX_CAPTURE");
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

AppShell::AppShell(const Clock &clock, Defaults &defaults, bool startedAtLogin, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_defaults(defaults)
    , m_startedAtLogin(startedAtLogin)
{}

AppShell::~AppShell() = default;

bool AppShell::hasBacklight() const
{
    return m_brightness && m_brightness->isAvailable();
}

bool AppShell::mainDisplayIsBuiltIn() const
{
    DisplayServices &displays = m_desktop->displays();
    return displays.isBuiltIn(displays.mainDisplay());
}

void AppShell::launch()
{
    // Someone who ran Lumvex before the introduction existed knows it already; anyone else is still to meet
    // it, also after starts at login (stored as false, so that those starts are not taken for that).
    if (const std::string introduced(settings::introductionShown.name); !m_defaults.boolValue(introduced)) {
        m_defaults.setBool(introduced,
                           m_defaults.boolValue(std::string(settings::loginItemDefaultApplied.name)).has_value());
    }
    new StallProbe(this);
    launchStep(0);
}

void AppShell::launchStep(std::size_t step)
{
    // One step a turn of the event loop, so that none holds the main thread (the tray host's requests, the
    // compositor's answers) for long. The first runs at once: it finds the backlight the caller asks about. Each
    // makes what the later ones use, and nothing calls in before its step: the bus interface and the timers come
    // last, and the display watch waits for the sampler.
    using Step = std::pair<const char *, void (AppShell::*)()>;
    static constexpr std::array<Step, 7> steps{{
        {"opening the desktop", &AppShell::openDesktopServices},
        {"the updater", &AppShell::makeUpdater},
        {"the sensors", &AppShell::setUpDataCapture},
        {"the outputs", &AppShell::setUpOutputs},
        {"the loops", &AppShell::setUpLearning},
        {"the status items", &AppShell::makeStatusItems},
        {"starting", &AppShell::startRunning},
    }};
    QElapsedTimer held;
    held.start();
    (this->*steps[step].second)();
    StallProbe::reportWork(steps[step].first, held);
    if (step + 1 < steps.size()) {
        QTimer::singleShot(0, this, [this, step] { launchStep(step + 1); });
    }
}

void AppShell::openDesktopServices()
{
    m_loginItem = std::make_unique<LoginItem>(
        std::make_unique<XdgAutostart>(xdg::autostartFile(), ownProgramPath(), runsInSandbox()), m_defaults,
        writeSystemLog);
    m_loginItem->configureAtLaunch();
    m_brightness = std::make_unique<SysfsBacklight>();
    m_desktop = openDesktop(SessionEnvironment::current(), m_defaults, captureOverride());
}

void AppShell::makeUpdater()
{
    m_updater = std::make_unique<UpdaterController>(m_defaults, m_clock, std::make_unique<FreedesktopNotifier>());
}

void AppShell::startRunning()
{
    m_pollTimer.setInterval(kPollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &AppShell::pollTick);
    m_pollTimer.start();
    m_rescanTimer.setInterval(kRescanIntervalMs);
    connect(&m_rescanTimer, &QTimer::timeout, this, &AppShell::rescanDevices);
    if (!m_brightness->isAvailable()) {
        m_rescanTimer.start();
    }
    m_signatureTimeout.setSingleShot(true);
    m_signatureTimeout.setInterval(kSignatureWaitMs);
    connect(&m_signatureTimeout, &QTimer::timeout, this, &AppShell::signatureArrived);

    m_session = new SessionMonitor(this);
    connect(m_session, &SessionMonitor::awayChanged, this, &AppShell::onAwayChanged);
    connect(m_session, &SessionMonitor::sleepingChanged, this, &AppShell::onSleepingChanged);

    m_control = std::make_unique<RemoteControl>(RemoteControl::Parts{*m_brightness, *m_loop, *m_calibration,
                                                                     m_desktop->displays(), *m_router, *m_external,
                                                                     *m_volume, *m_statusController, *m_link});
    // Quitting by the menu, a signal or the session's end all pass here; a process killed outright does not.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [this] { leaveUserLevel(*m_brightness, *m_loop); });

    watchTrayHost();
    m_recorder->startIfEnabled();
    m_updater->checkAtLaunch();
    updateSampling();
}

void AppShell::watchTrayHost()
{
    m_notifier = std::make_unique<FreedesktopNotifier>();
    m_trayWatch =
        std::make_unique<TrayHostWatch>([this] { return m_statusController->brightnessItem().usesFallback(); });
    connect(m_trayWatch.get(), &TrayHostWatch::firstLook, this, [this](bool hostSeen) {
        // Introduced where the items can be seen, and only to someone who started it.
        if (hostSeen && !m_startedAtLogin && !settings::value(m_defaults, settings::introductionShown)) {
            settings::set(m_defaults, settings::introductionShown, true);
            m_notifier->show(notices::introduction());
        }
    });
    connect(m_trayWatch.get(), &TrayHostWatch::noHost, this, [this] {
        const Notice notice = notices::noTray(currentDesktop());
        // To the journal, not stderr: started from a menu nobody reads stderr, and the notice says it all.
        // Prefixed like the login item's lines, so that one search of the log finds all of Lumvex's.
        writeSystemWarning("Lumvex: " + notice.summary.toStdString() + ". " + notice.body.toStdString());
        m_notifier->show(notice);
    });
    connect(m_control.get(), &RemoteControl::showRequested, this, &AppShell::showItself);
}

void AppShell::showItself()
{
    // The XEmbed tray's icon shows a menu of our own; status-notifier hosts offer no way to open theirs.
    if (m_statusController->brightnessItem().usesFallback()) {
        m_statusController->presentMenu(StatusItemController::MenuOrigin::brightness);
        return;
    }
    m_notifier->show(notices::alreadyRunning(m_trayWatch->hostSeen(), currentDesktop()));
}

void AppShell::setUpDataCapture()
{
    m_ambient = std::make_unique<AmbientLightSensor>(openLightSource());
    TelemetrySource &recorded = *this;
    m_recorder = std::make_unique<TelemetryRecorder>(xdg::telemetryDir(), recorded, m_clock, m_defaults,
                                                     std::make_unique<QtRepeatingTimer>());
    if (const std::optional<double> b = m_brightness->get()) {
        m_poll.setRecorderLast(*b);
    }
    m_frontmostApp = &m_desktop->watchFrontmostApp([this] { m_recorder->recordEvent("app_switch"); });
}

void AppShell::setUpOutputs()
{
    m_external = std::make_unique<ExternalBrightnessController>();
    m_router = std::make_unique<DisplayRouter>(m_desktop->displays(), m_clock);
    m_ranges = std::make_unique<DisplayRanges>(xdg::settingsFile().parent_path());
    m_link = std::make_unique<DisplayLink>(DisplayLink::Parts{
        *m_brightness, *m_external, m_desktop->displays(), m_defaults, *m_ranges, [](const std::string &output) {
            // X drivers name outputs their own way ("HDMI-1" for the kernel's HDMI-A-1).
            for (const std::string &connector : ddc::kernelNamesFor(output)) {
                if (auto edid = connectorEdid(sysfsRoot(), connector)) {
                    return edid;
                }
            }
            return std::optional<std::vector<std::uint8_t>>();
        }});
    // Without a watch the router answers from the pointer position alone, else the main display.
    m_desktop->watchPointer([this] { m_router->cursorMoved(); });
    // Where the desktop tells, a display that comes is followed at once rather than at the next check.
    m_desktop->watchDisplays([this] {
        if (m_sampler) { // not before launch has made it
            followMainDisplay();
            followLinkedDisplays();
        }
    });
    // Its first reading reaches the volume item with the first poll: the server is not waited for here.
    m_volume = std::make_unique<PulseVolumeController>();
}

void AppShell::setUpLearning()
{
    m_logger = std::make_unique<AdjustmentLogger>(xdg::stateDir(), m_clock, m_frontmostApp);
    m_calibration = std::make_unique<CalibrationModel>(xdg::dataDir(), m_clock);
    m_dailyStats = std::make_unique<DailyStats>(xdg::dataDir(), m_clock);
    m_loop = std::make_unique<CompensationLoop>(CompensationLoop::Collaborators{
        *m_brightness, *m_calibration, *m_dailyStats, *m_logger, m_clock, m_defaults, *this, *this, *this});
    m_loop->onEnabledChange = [this](bool) { updateSampling(); };
    m_externalLoop = std::make_unique<ExternalDisplayLoop>(ExternalDisplayLoop::Collaborators{
        *m_external, m_desktop->displays(), *m_loop, *m_dailyStats, *m_logger, m_clock, m_defaults, *this, *this,
        xdg::dataDir(), [this](DisplayId id) { return m_link->identity(id); }});
    makeSampler(m_desktop->displays().mainDisplay());
    m_mainDisplayGone = m_captureDisplay == 0;
}

void AppShell::makeSampler(DisplayId display)
{
    m_captureDisplay = display;
    m_sampler.reset(); // its worker ends before the new one starts on the same desktop
    m_sampler = std::make_unique<ContentSampler>(m_desktop->makeCapture(display), queuedPostTo(this), m_clock);
    m_sampler->onUnavailable = [this](const std::string &reason) {
        qCWarning(lcCapture, "%s", reason.c_str());
        signatureArrived(); // nothing will come: learnt without a situation
    };
    m_sampler->onFiltered = [this](double L_slow, double L_fast) {
        m_loop->onLuminanceUpdate(L_slow, L_fast);
        m_externalLoop->onLuminanceUpdate(L_slow, L_fast);
        if (m_signatureTimeout.isActive()) {
            m_signatureTimeout.stop();
            signatureArrived();
        }
    };
}

void AppShell::makeStatusItems()
{
    StatusItemController::Services services{*m_brightness, *m_external,  *m_router,      m_desktop->displays(),
                                            *m_volume,     *m_loop,      *m_calibration, *m_dailyStats,
                                            *m_recorder,   *m_loginItem, m_defaults,     *m_link};
    // The sampler forgets the problem with its next sample, when capture works again.
    services.captureProblem = [this]() -> std::optional<std::string> {
        // Corrections learned into a folder that cannot be written would be gone at the next start.
        if (const auto data = xdg::dataDir(); !files::canWriteIn(data)) {
            return QCoreApplication::translate("Notices", "What you teach is not saved: cannot write to %1")
                .arg(QString::fromStdString(data.string()))
                .toStdString();
        }
        if (m_mainDisplayGone) {
            return QCoreApplication::translate("Notices",
                                               m_desktop->awaitsDisplays() ? kAwaitingDisplays : kMainDisplayGone)
                .toStdString();
        }
        return m_sampler->unavailableReason();
    };
    services.onCalibrationReset = [this](bool everything) { m_externalLoop->resetCalibration(everything); };
    services.displayProblem = [this]() -> std::optional<std::string> {
        if (const auto monitor = m_externalLoop->monitorOutOfWrites()) {
            return QCoreApplication::translate("Notices", "%1: no more automatic changes today (%2 writes)")
                .arg(QString::fromStdString(*monitor))
                .arg(QLocale().toString(WriteRation::kDailyLimit))
                .toStdString();
        }
        return std::nullopt;
    };
    m_statusController = std::make_unique<StatusItemController>(services);
    connect(m_statusController.get(), &StatusItemController::quitRequested, QCoreApplication::instance(),
            &QCoreApplication::quit);
    connect(m_statusController.get(), &StatusItemController::checkForUpdatesRequested, m_updater.get(),
            &UpdaterController::checkForUpdates);
    connect(m_statusController.get(), &StatusItemController::revealRequested, this,
            [](const QUrl &folder) { QDesktopServices::openUrl(folder); });
    connect(m_statusController.get(), &StatusItemController::externalLevelChosen, this,
            [this](DisplayId display, double level) {
                m_externalLoop->onManualChange(display, level, AdjustmentSource::scroll);
            });
    connect(m_statusController.get(), &StatusItemController::hostClickedAt, this,
            [this](QPoint position) { m_desktop->notePointerAt(position.x(), position.y()); });
    m_router->onActiveDisplayChange = [this](DisplayId) { m_statusController->refreshSilhouette(); };

    if (const std::optional<double> b = m_brightness->get()) {
        m_statusController->updateBrightness(*b);
        m_poll.setLastShown(*b);
    }
    const double v = m_volume->get();
    m_volumePoll.changed(v);
    m_statusController->updateVolume(v);
}

std::optional<double> AppShell::ambientLevel()
{
    return m_ambient->read();
}

// A signature older than the sampler's freshness describes a screen that is no longer there.
std::optional<ContentSignature> AppShell::smoothedSignature()
{
    return m_sampler->hasFreshSample() ? std::optional(m_sampler->smoothedSignature()) : std::nullopt;
}

std::optional<ContentSignature> AppShell::latestSignature()
{
    return m_sampler->hasFreshSample() ? std::optional(m_sampler->latestSignature()) : std::nullopt;
}

bool AppShell::requestSignature()
{
    // A running sampler without fresh figures cannot capture: nothing better is coming. A single look
    // is never worth a permission dialog or a flash of the sharing indicator: then learnt without one.
    if (m_sampler->isRunning() || m_sampler->captureIsNoticeable()) {
        return false;
    }
    m_sampler->captureOnce();
    m_signatureTimeout.start();
    return true;
}

void AppShell::updatePause(std::optional<double> brightness)
{
    // Without a reading the loop's own level stands in; the loop writes nothing without one anyway.
    const bool hold = m_guard.holdLoop(m_clock.monotonicSeconds(), brightness.value_or(m_loop->currentBrightness()));
    if (hold != m_loop->paused()) {
        m_loop->setPaused(hold);
    }
}

void AppShell::followMainDisplay()
{
    const DisplayId main = m_desktop->displays().mainDisplay();
    m_mainDisplayGone = main == 0;
    if (main != 0 && main != m_captureDisplay) {
        QElapsedTimer following;
        following.start();
        makeSampler(main);
        updateSampling();
        StallProbe::reportWork("following the main display", following);
    }
}

// Both loops learn the choice waiting for it, with the situation now known or none.
void AppShell::signatureArrived()
{
    m_loop->signatureArrived();
    m_externalLoop->signatureArrived();
}

// Monitors that came or stopped answering show in the menu; those that came take the linked level.
void AppShell::followLinkedDisplays()
{
    if (m_statusController && m_link->check()) {
        m_statusController->refreshMenus();
    }
}

void AppShell::rescanDevices()
{
    if (m_brightness->rescan()) {
        m_rescanTimer.stop();
        if (const std::optional<double> b = m_brightness->get()) {
            m_loop->acceptBrightness(*b);
            m_poll.setLastShown(*b);
            m_poll.setRecorderLast(*b);
            m_statusController->updateBrightness(*b);
        }
    }
}

void AppShell::pollTick()
{
    if (++m_ticksSinceDisplayCheck >= kDisplayCheckTicks) {
        m_ticksSinceDisplayCheck = 0;
        followMainDisplay();
        followLinkedDisplays();
    }
    const std::optional<double> level = m_brightness->get();
    updatePause(level);
    m_externalLoop->tick();
    // A tick without a reading is skipped: a failed read is not a change to black.
    if (level && actsOnBuiltIn(m_desktop->displays(), m_router->currentTarget())) {
        BrightnessPoll::Reading reading;
        reading.brightness = *level;
        reading.loopCurrent = m_loop->currentBrightness();
        reading.loopEnabled = m_loop->enabled();
        reading.recording = m_recorder->isRecording();
        reading.userChangesTrusted = m_guard.userChangesTrusted(m_clock.monotonicSeconds(), reading.brightness);
        const BrightnessPoll::Actions actions = m_poll.tick(reading);
        if (actions.reportManualChange) {
            m_loop->onManualChange(reading.brightness, AdjustmentSource::systemKey);
            m_link->panelChanged(reading.brightness);
        } else if (actions.acceptAsCurrent) {
            m_loop->acceptBrightness(reading.brightness);
        }
        if (actions.telemetry) {
            m_recorder->recordEvent("brightness_change", actions.telemetry->source, actions.telemetry->before,
                                    actions.telemetry->after);
        }
        if (actions.showBrightness) {
            m_statusController->updateBrightness(reading.brightness);
        }
    }
    const double v = m_volume->get();
    if (m_volumePoll.changed(v)) {
        m_statusController->updateVolume(v);
    }
    m_control->publishChanges();
}

void AppShell::updateSampling()
{
    const bool recording = m_recorder->isRecording();
    if (samplingWanted(m_loop->enabled(), recording, m_guard.isAway(), m_guard.isSleeping())) {
        m_sampler->start();
    } else {
        m_sampler->stop();
    }
    m_sampler->setCaptureGrid(recording);
}

void AppShell::onAwayChanged(bool away)
{
    m_guard.setAway(away, m_clock.monotonicSeconds());
    updatePause(m_brightness->get());
    updateSampling();
}

void AppShell::onSleepingChanged(bool sleeping)
{
    m_guard.setSleeping(sleeping, m_clock.monotonicSeconds());
    updatePause(m_brightness->get());
    updateSampling();
}

TelemetrySnapshot AppShell::snapshot() const
{
    TelemetrySnapshot s;
    s.brightness = m_brightness->get();
    if (m_sampler->hasFreshSample()) {
        s.lumRaw = m_sampler->rawLuminance();
        s.lumSlow = m_sampler->slowLuminance();
        s.lumFast = m_sampler->fastLuminance();
        s.lumGrid = m_sampler->gridLuminances();
    }
    if (const auto raw = m_ambient->sampleRaw()) {
        s.ambLux = raw->lux;
        s.ambNorm = raw->norm;
    }
    s.ambAvailable = m_ambient->isAvailable();
    s.appID = m_frontmostApp->frontmostAppId();
    s.appName = m_frontmostApp->frontmostAppName();
    s.displayID = m_desktop->displays().mainDisplay();
    s.builtin = mainDisplayIsBuiltIn();
    s.autoOn = m_loop->enabled();
    s.rTarget = m_loop->targetRatio();
    s.bLoop = m_loop->currentBrightness();
    return s;
}

} // namespace lumvex
