// SPDX-License-Identifier: MIT
#include "RemoteControl.h"
#include "platform/linux/Logging.h"

#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "lumvexadaptor.h"
#include "output/BrightnessController.h"
#include "output/VolumeControl.h"
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "sensing/DisplayRouter.h"
#include "sensing/DisplayServices.h"
#include "ui/StatusItemController.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumvex {

namespace {

// Luminance moves with every frame; smaller steps are not worth a signal.
constexpr double kLuminanceStep = 0.005;

const QString kNoBacklight = QStringLiteral("io.github.lumvex.Lumvex1.Error.NoBacklight");
const QString kAutomaticOff = QStringLiteral("io.github.lumvex.Lumvex1.Error.AutomaticAdjustmentOff");
const QString kNotSet = QStringLiteral("io.github.lumvex.Lumvex1.Error.BrightnessNotSet");

bool sameValue(const QString &name, const QVariant &a, const QVariant &b)
{
    if (name == QLatin1String("Luminance")) {
        return std::abs(a.toDouble() - b.toDouble()) < kLuminanceStep;
    }
    if (name == QLatin1String("Brightness") && std::isnan(a.toDouble()) && std::isnan(b.toDouble())) {
        return true;
    }
    return a == b;
}

} // namespace

RemoteControl::RemoteControl(const Parts &parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
{
    new LumvexAdaptor(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.registerObject(QString::fromLatin1(kPath), this)) {
        m_registered = bus.registerService(QString::fromLatin1(kService));
        if (!m_registered) {
            qCWarning(lcControl, "%s is taken on the session bus; lumvex ctl will not reach this instance", kService);
        }
    }
    m_published = properties();
}

RemoteControl::~RemoteControl()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_registered) {
        bus.unregisterService(QString::fromLatin1(kService));
    }
    bus.unregisterObject(QString::fromLatin1(kPath));
}

double RemoteControl::brightness() const
{
    // A failed read is no level: the last one known stands (not a number before any).
    if (const std::optional<double> level = m_parts.brightness.get()) {
        m_lastBrightness = *level;
    }
    return m_lastBrightness;
}

bool RemoteControl::automaticAdjustment() const
{
    return m_parts.loop.enabled();
}

void RemoteControl::setAutomaticAdjustment(bool on)
{
    // Setting the state it already has must not end a pause.
    if (on != m_parts.loop.enabled()) {
        m_parts.loop.setEnabled(on);
        m_parts.status.refreshMenus();
    }
    publishChanges();
}

qulonglong RemoteControl::pausedUntil() const
{
    const auto pause = m_parts.loop.userPause();
    if (!pause) {
        return 0;
    }
    return pause->until ? static_cast<qulonglong>(std::ceil(pause->until->unixSeconds())) : kUntilResumed;
}

double RemoteControl::luminance() const
{
    return m_parts.loop.filteredLuminance();
}

double RemoteControl::targetRatio() const
{
    return m_parts.loop.targetRatio();
}

QString RemoteControl::situation() const
{
    return QString::fromStdString(AdjustmentLogger::situationField(m_parts.loop.currentSituation()));
}

double RemoteControl::offset() const
{
    const auto where = m_parts.loop.currentSituation();
    return where ? m_parts.calibration.offset(*where) : 0.0;
}

QString RemoteControl::captureProblem() const
{
    const std::optional<std::string> problem = m_parts.status.captureProblem();
    return problem ? QString::fromStdString(*problem) : QString();
}

QVariantMap RemoteControl::properties() const
{
    return {
        {QStringLiteral("Brightness"), brightness()},   {QStringLiteral("AutomaticAdjustment"), automaticAdjustment()},
        {QStringLiteral("PausedUntil"), pausedUntil()}, {QStringLiteral("Luminance"), luminance()},
        {QStringLiteral("TargetRatio"), targetRatio()}, {QStringLiteral("Situation"), situation()},
        {QStringLiteral("Offset"), offset()},           {QStringLiteral("CaptureProblem"), captureProblem()},
    };
}

void RemoteControl::publishChanges()
{
    const QVariantMap now = properties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (!sameValue(it.key(), it.value(), m_published.value(it.key()))) {
            changed.insert(it.key(), it.value());
            m_published.insert(it.key(), it.value());
        }
    }
    if (changed.isEmpty()) {
        return;
    }
    // A pause that ran out must leave the menus that hosts hold too.
    if (changed.contains(QStringLiteral("PausedUntil"))) {
        m_parts.status.refreshMenus();
    }
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

bool RemoteControl::refuse(const QString &name, const QString &message)
{
    if (calledFromDBus()) {
        sendErrorReply(name, message);
    }
    return false;
}

void RemoteControl::applyManualLevel(double level)
{
    m_parts.status.updateBrightness(level);
    m_parts.loop.onManualChange(level, AdjustmentSource::command);
    publishChanges();
}

void RemoteControl::SetBrightness(double level)
{
    if (!std::isfinite(level) || level < 0.0 || level > 1.0) {
        refuse(QDBusError::errorString(QDBusError::InvalidArgs),
               QStringLiteral("the level must be a number from 0 to 1, not %1").arg(level));
        return;
    }
    if (!m_parts.brightness.isAvailable()) {
        refuse(kNoBacklight, QStringLiteral("there is no built-in panel whose brightness Lumvex could set"));
        return;
    }
    if (!m_parts.brightness.set(level)) {
        refuseUnset();
        return;
    }
    applyManualLevel(level);
}

void RemoteControl::refuseUnset()
{
    // A level the panel did not take is neither shown, learned nor counted.
    refuse(kNotSet, QString::fromStdString(
                        m_parts.brightness.writeProblem().value_or("The built-in panel did not take the brightness.")));
    m_parts.status.refreshMenus();
}

void RemoteControl::ChangeBrightness(double delta)
{
    if (!std::isfinite(delta) || delta < -1.0 || delta > 1.0) {
        refuse(QDBusError::errorString(QDBusError::InvalidArgs),
               QStringLiteral("the change must be a number from -1 to 1, not %1").arg(delta));
        return;
    }
    if (!m_parts.brightness.isAvailable()) {
        refuse(kNoBacklight, QStringLiteral("there is no built-in panel whose brightness Lumvex could change"));
        return;
    }
    const std::optional<double> current = m_parts.brightness.get();
    if (!current) {
        refuse(kNoBacklight, QStringLiteral("the built-in panel's brightness cannot be read just now"));
        return;
    }
    const double level = std::clamp(*current + delta, 0.0, 1.0);
    if (!m_parts.brightness.set(level)) {
        refuseUnset();
        return;
    }
    applyManualLevel(level);
}

void RemoteControl::Pause(uint seconds)
{
    if (seconds > kLongestPauseSeconds) {
        refuse(QDBusError::errorString(QDBusError::InvalidArgs),
               QStringLiteral("a pause lasts at most %1 seconds (7 days); 0 pauses until resumed, not %2")
                   .arg(kLongestPauseSeconds)
                   .arg(seconds));
        return;
    }
    if (!m_parts.loop.enabled()) {
        refuse(kAutomaticOff, QStringLiteral("automatic adjustment is off; there is nothing to pause"));
        return;
    }
    m_parts.loop.pauseAutomatic(seconds == 0 ? std::nullopt : std::optional<double>(seconds));
    m_parts.status.refreshMenus();
    publishChanges();
}

void RemoteControl::Resume()
{
    m_parts.loop.resumeAutomatic();
    publishChanges();
}

QVariantMap RemoteControl::Status()
{
    QVariantMap status = properties();
    if (!m_parts.brightness.get()) {
        status.remove(QStringLiteral("Brightness")); // unknown now, whatever was known before
    }
    const DisplayId underPointer = m_parts.router.currentTarget();
    status.insert(QStringLiteral("DisplayUnderPointer"),
                  QString::fromStdString(m_parts.displays.outputName(underPointer).value_or(std::string())));
    status.insert(QStringLiteral("DisplayUnderPointerIsBuiltIn"), m_parts.displays.isBuiltIn(underPointer));
    // Every read runs the DDC helper (at most a second each): only when it is there at all.
    QVariantMap external;
    if (m_parts.external.isAvailable()) {
        for (const DisplayId display : m_parts.displays.onlineDisplays().value_or(std::vector<DisplayId>())) {
            if (m_parts.displays.isBuiltIn(display)) {
                continue;
            }
            const auto name = m_parts.displays.outputName(display);
            if (const auto level = m_parts.external.get(display); level && name) {
                external.insert(QString::fromStdString(*name), *level);
            }
        }
    }
    status.insert(QStringLiteral("ExternalBrightness"), external);
    status.insert(QStringLiteral("Volume"), m_parts.volume.get());
    status.insert(QStringLiteral("Muted"), m_parts.volume.isMuted());
    return status;
}

} // namespace lumvex
