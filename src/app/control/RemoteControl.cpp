// SPDX-License-Identifier: MIT
#include "RemoteControl.h"
#include "platform/linux/Logging.h"

#include "controlinterface.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "output/BrightnessController.h"
#include "output/DisplayLink.h"
#include "output/VolumeControl.h"
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "sensing/DisplayRouter.h"
#include "sensing/DisplayServices.h"
#include "ui/StatusItemController.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumvex {

namespace {

// Luminance moves with every frame; smaller steps are not worth a signal.
constexpr double kLuminanceStep = 0.005;

const QString kNoBacklight = QStringLiteral("io.github.lumvex.Lumvex1.Error.NoBacklight");
const QString kAutomaticOff = QStringLiteral("io.github.lumvex.Lumvex1.Error.AutomaticAdjustmentOff");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kNoSuchDisplay = QStringLiteral("io.github.lumvex.Lumvex1.Error.NoSuchDisplay");
const QString kNotSet = QStringLiteral("io.github.lumvex.Lumvex1.Error.BrightnessNotSet");
const QString kNotSaved = QStringLiteral("io.github.lumvex.Lumvex1.Error.NotSaved");

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
    : QDBusVirtualObject(parent)
    , m_parts(parts)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.registerVirtualObject(QString::fromLatin1(kPath), this)) {
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

QString RemoteControl::introspect(const QString &) const
{
    return QString::fromLatin1(kControlInterfaceXml);
}

double RemoteControl::lastKnownBrightness() const
{
    // A failed read is no level: the last one known stands (not a number before any).
    if (const std::optional<double> level = m_parts.brightness.get()) {
        m_lastBrightness = *level;
    }
    return m_lastBrightness;
}

QVariantMap RemoteControl::properties() const
{
    const auto pause = m_parts.loop.userPause();
    const qulonglong pausedUntil = !pause         ? 0
                                   : pause->until ? static_cast<qulonglong>(std::ceil(pause->until->unixSeconds()))
                                                  : kUntilResumed;
    const auto where = m_parts.loop.currentSituation();
    const std::optional<std::string> problem = m_parts.status.captureProblem();
    return {
        {QStringLiteral("Brightness"), lastKnownBrightness()},
        {QStringLiteral("AutomaticAdjustment"), m_parts.loop.enabled()},
        {QStringLiteral("PausedUntil"), pausedUntil},
        {QStringLiteral("Luminance"), m_parts.loop.filteredLuminance()},
        {QStringLiteral("TargetRatio"), m_parts.loop.targetRatio()},
        {QStringLiteral("Situation"), QString::fromStdString(AdjustmentLogger::situationField(where))},
        {QStringLiteral("Offset"), where ? m_parts.calibration.offset(*where) : 0.0},
        {QStringLiteral("CaptureProblem"), problem ? QString::fromStdString(*problem) : QString()},
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
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPath), kPropertiesInterface,
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

bool RemoteControl::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage) {
        return false;
    }
    const QString interface = message.interface();
    if (interface == kPropertiesInterface) {
        connection.send(answerProperties(message));
        return true;
    }
    if (!interface.isEmpty() && interface != QLatin1String(kInterface)) {
        return false; // introspection and ping are Qt's
    }
    const QString member = message.member();
    const QString signature = message.signature();
    const QVariantList args = message.arguments();
    const auto expects = [&](const char *wanted) {
        if (signature == QLatin1String(wanted)) {
            return true;
        }
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs, QStringLiteral("%1 takes (%2), not (%3)").arg(member, wanted, signature)));
        return false;
    };
    const auto answer = [&](const Refused &refused, const QVariantList &out = {}) {
        connection.send(refused ? message.createErrorReply(refused->name, refused->message) : message.createReply(out));
    };
    if (member == QLatin1String("SetBrightness") && expects("d")) {
        const double level = args.at(0).toDouble();
        applyWhileCallerWaits(message, connection, [this, level] { return setBrightness(level); });
    } else if (member == QLatin1String("ChangeBrightness") && expects("d")) {
        const double delta = args.at(0).toDouble();
        applyWhileCallerWaits(message, connection, [this, delta] { return changeBrightness(delta); });
    } else if (member == QLatin1String("Pause") && expects("u")) {
        answer(pause(args.at(0).toUInt()));
    } else if (member == QLatin1String("Resume") && expects("")) {
        m_parts.loop.resumeAutomatic();
        publishChanges();
        answer(std::nullopt);
    } else if (member == QLatin1String("Show") && expects("")) {
        emit showRequested();
        answer(std::nullopt);
    } else if (member == QLatin1String("Status") && expects("")) {
        answer(std::nullopt, {status()});
    } else if (member == QLatin1String("Displays") && expects("")) {
        answer(std::nullopt, {m_parts.link.enabled(), QVariant::fromValue(displays())});
    } else if (member == QLatin1String("SetDisplayRange") && expects("sdd")) {
        answer(setDisplayRange(args.at(0).toString(), args.at(1).toDouble(), args.at(2).toDouble()));
    } else if (!QStringList{"SetBrightness", "ChangeBrightness", "Pause", "Resume", "Show", "Status", "Displays",
                            "SetDisplayRange"}
                    .contains(member)) {
        connection.send(message.createErrorReply(
            QDBusError::UnknownMethod, QStringLiteral("there is no method %1 in %2").arg(member, kInterface)));
    }
    return true;
}

QDBusMessage RemoteControl::answerProperties(const QDBusMessage &message)
{
    const QString member = message.member();
    const QString signature = message.signature();
    const QVariantList args = message.arguments();
    const QString interface = args.isEmpty() ? QString() : args.at(0).toString();
    if (!(member == QLatin1String("Get") && signature == QLatin1String("ss")) &&
        !(member == QLatin1String("Set") && signature == QLatin1String("ssv")) &&
        !(member == QLatin1String("GetAll") && signature == QLatin1String("s"))) {
        return message.createErrorReply(
            QDBusError::InvalidArgs,
            QStringLiteral("%1 (%2) is no call of %3").arg(member, signature, kPropertiesInterface));
    }
    if (!interface.isEmpty() && interface != QLatin1String(kInterface)) {
        return message.createErrorReply(QDBusError::UnknownInterface,
                                        QStringLiteral("there is no interface %1 here").arg(interface));
    }
    const QVariantMap all = properties();
    if (member == QLatin1String("GetAll")) {
        return message.createReply(QVariant(all));
    }
    const QString name = args.at(1).toString();
    if (!all.contains(name)) {
        return message.createErrorReply(QDBusError::UnknownProperty,
                                        QStringLiteral("there is no property %1 in %2").arg(name, kInterface));
    }
    if (member == QLatin1String("Get")) {
        return message.createReply(QVariant::fromValue(QDBusVariant(all.value(name))));
    }
    if (name != QLatin1String("AutomaticAdjustment")) {
        return message.createErrorReply(QDBusError::PropertyReadOnly, QStringLiteral("%1 is read-only").arg(name));
    }
    const Refused refused = setAutomaticAdjustment(args.at(2).value<QDBusVariant>().variant());
    return refused ? message.createErrorReply(refused->name, refused->message) : message.createReply();
}

RemoteControl::Refused RemoteControl::setAutomaticAdjustment(const QVariant &value)
{
    if (value.metaType() != QMetaType::fromType<bool>()) {
        const QString type = value.metaType() == QMetaType::fromType<QDBusArgument>()
                                 ? value.value<QDBusArgument>().currentSignature()
                                 : QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
        return Refusal{QDBusError::errorString(QDBusError::InvalidArgs),
                       QStringLiteral("AutomaticAdjustment takes a boolean (b), not (%1)").arg(type)};
    }
    // Setting the state it already has must not end a pause.
    if (const bool on = value.toBool(); on != m_parts.loop.enabled()) {
        m_parts.loop.setEnabled(on);
        m_parts.status.refreshMenus();
    }
    publishChanges();
    return std::nullopt;
}

void RemoteControl::applyWhileCallerWaits(const QDBusMessage &message, const QDBusConnection &connection,
                                          std::function<Refused()> apply)
{
    if (!message.isReplyRequired()) {
        apply(); // a caller that waits for no answer cannot have given up on it
        return;
    }
    // Asked of the bus after the call was read, so the answer covers a caller that left while Lumvex was
    // stopped or busy: its change would otherwise be made after it reported failure, and made twice if it
    // tried again. The bus answers in order, so calls are still applied in the order they came.
    QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << message.service();
    auto *watcher = new QDBusPendingCallWatcher(connection.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, message, connection, apply = std::move(apply)](QDBusPendingCallWatcher *call) {
                call->deleteLater();
                const QDBusPendingReply<bool> there = *call;
                if (there.isError()) {
                    qCWarning(lcControl, "could not ask the bus whether %s still waits; its call is not applied",
                              qPrintable(message.service()));
                    QDBusConnection(connection)
                        .send(message.createErrorReply(QDBusError::Failed,
                                                       QCoreApplication::translate("Control", "nothing was changed")));
                } else if (!there.value()) {
                    qCInfo(lcControl, "%s left before its %s was handled; not applied", qPrintable(message.service()),
                           qPrintable(message.member()));
                } else {
                    const Refused refused = apply();
                    QDBusConnection(connection)
                        .send(refused ? message.createErrorReply(refused->name, refused->message)
                                      : message.createReply());
                }
            });
}

RemoteControl::Refused RemoteControl::applyManualLevel(std::optional<double> before, double level)
{
    // A level that does not change the panel is no correction: nothing to learn, count or log.
    if (before && std::abs(*before - level) < kSmallestChange / 2) {
        return std::nullopt;
    }
    if (!m_parts.brightness.set(level)) {
        // A level the panel did not take is neither shown, learned nor counted; the menu says why.
        m_parts.status.refreshMenus();
        return Refusal{kNotSet,
                       m_parts.brightness.writeProblem()
                           ? QString::fromStdString(*m_parts.brightness.writeProblem())
                           : QCoreApplication::translate("Control", "the built-in panel did not take the brightness")};
    }
    m_parts.status.updateBrightness(level);
    m_parts.loop.onManualChange(level, AdjustmentSource::command);
    m_parts.link.panelChanged(level);
    publishChanges();
    return std::nullopt;
}

RemoteControl::Refused RemoteControl::setBrightness(double level)
{
    if (!std::isfinite(level) || level < 0.0 || level > 1.0) {
        return Refusal{QDBusError::errorString(QDBusError::InvalidArgs),
                       QStringLiteral("the level must be a number from 0 to 1, not %1").arg(level)};
    }
    if (linkedWithoutPanel()) {
        m_parts.link.setShared(level);
        m_parts.status.refreshMenus();
        return std::nullopt;
    }
    if (!m_parts.brightness.isAvailable()) {
        return Refusal{kNoBacklight, QCoreApplication::translate(
                                         "Control", "there is no built-in panel whose brightness Lumvex could set")};
    }
    return applyManualLevel(m_parts.brightness.get(), level);
}

RemoteControl::Refused RemoteControl::changeBrightness(double delta)
{
    if (!std::isfinite(delta) || std::abs(delta) < kSmallestChange || std::abs(delta) > 1.0) {
        return Refusal{QDBusError::errorString(QDBusError::InvalidArgs),
                       QStringLiteral("the change must be a number from 0.001 to 1 either way, not %1").arg(delta)};
    }
    if (linkedWithoutPanel()) {
        // Docked: the linked displays move from their shared level, or from the middle before any is known.
        m_parts.link.setShared(std::clamp(m_parts.link.shared().value_or(0.5) + delta, 0.0, 1.0));
        m_parts.status.refreshMenus();
        return std::nullopt;
    }
    if (!m_parts.brightness.isAvailable()) {
        return Refusal{kNoBacklight, QCoreApplication::translate(
                                         "Control", "there is no built-in panel whose brightness Lumvex could change")};
    }
    const std::optional<double> before = m_parts.brightness.get();
    if (!before) {
        return Refusal{kNoBacklight, QCoreApplication::translate(
                                         "Control", "the built-in panel's brightness cannot be read just now")};
    }
    return applyManualLevel(before, std::clamp(*before + delta, 0.0, 1.0));
}

bool RemoteControl::linkedWithoutPanel() const
{
    return m_parts.link.enabled() && !m_parts.link.panelInUse() && m_parts.external.isAvailable() &&
           !m_parts.link.externals().empty();
}

QVariantList RemoteControl::displays() const
{
    QVariantList list;
    for (const DisplayLink::Row &row : m_parts.link.rows()) {
        QVariantMap display{
            {QStringLiteral("Name"), QString::fromStdString(row.connector)},
            {QStringLiteral("Monitor"), QString::fromStdString(row.monitor)},
            {QStringLiteral("BuiltIn"), row.builtIn},
            {QStringLiteral("Low"), row.range.low},
            {QStringLiteral("High"), row.range.high},
            {QStringLiteral("Answers"), row.answers},
        };
        if (row.level) {
            display.insert(QStringLiteral("Level"), *row.level);
        }
        list.append(display);
    }
    return list;
}

RemoteControl::Refused RemoteControl::setDisplayRange(const QString &name, double low, double high)
{
    using Kind = DisplayLink::RangeRefusal::Kind;
    const auto refusal = m_parts.link.setRange(name.toStdString(), DisplayRange{low, high});
    // Refused for what it asks or for whom, or taken but not kept: each under its own name.
    if (refusal && refusal->kind != Kind::notSaved) {
        return Refusal{refusal->kind == Kind::noSuchDisplay ? kNoSuchDisplay
                                                            : QDBusError::errorString(QDBusError::InvalidArgs),
                       QString::fromStdString(refusal->message)};
    }
    m_parts.status.refreshMenus();
    if (refusal) {
        return Refusal{kNotSaved, QString::fromStdString(refusal->message)};
    }
    return std::nullopt;
}

RemoteControl::Refused RemoteControl::pause(uint seconds)
{
    if (seconds > kLongestPauseSeconds) {
        return Refusal{QDBusError::errorString(QDBusError::InvalidArgs),
                       QStringLiteral("a pause lasts at most %1 seconds (7 days); 0 pauses until resumed, not %2")
                           .arg(kLongestPauseSeconds)
                           .arg(seconds)};
    }
    if (!m_parts.loop.enabled()) {
        return Refusal{kAutomaticOff, QCoreApplication::translate(
                                          "Control", "automatic adjustment is off; there is nothing to pause")};
    }
    m_parts.loop.pauseAutomatic(seconds == 0 ? std::nullopt : std::optional<double>(seconds));
    m_parts.status.refreshMenus();
    publishChanges();
    return std::nullopt;
}

QVariantMap RemoteControl::status() const
{
    QVariantMap status = properties();
    if (!m_parts.brightness.get()) {
        status.remove(QStringLiteral("Brightness")); // unknown now, whatever was known before
    }
    const DisplayId underPointer = m_parts.router.currentTarget();
    status.insert(QStringLiteral("DisplayUnderPointer"),
                  QString::fromStdString(m_parts.displays.outputName(underPointer).value_or(std::string())));
    status.insert(QStringLiteral("DisplayUnderPointerIsBuiltIn"), actsOnBuiltIn(m_parts.displays, underPointer));
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
