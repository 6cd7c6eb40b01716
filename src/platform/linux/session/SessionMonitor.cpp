// SPDX-License-Identifier: MIT
#include "SessionMonitor.h"

#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <unistd.h>

namespace lumvex {

namespace {

const QString kLogin = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kCallTimeoutMs = 1000;

} // namespace

SessionMonitor::SessionMonitor(QObject *parent)
    : QObject(parent)
{
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        system.connect(kLogin, kManagerPath, kManager, QStringLiteral("PrepareForSleep"), this,
                       SLOT(onPrepareForSleep(bool)));
        // Our own process's session first; "auto" also finds the user's display session when we were
        // started outside one (by a user service, say).
        ask(QDBusMessage::createMethodCall(kLogin, kManagerPath, kManager, QStringLiteral("GetSessionByPID"))
                << quint32(::getpid()),
            [this](const QDBusMessage &reply) {
                if (!takeSession(reply)) {
                    ask(QDBusMessage::createMethodCall(kLogin, kManagerPath, kManager, QStringLiteral("GetSession"))
                            << QStringLiteral("auto"),
                        [this](const QDBusMessage &secondReply) { takeSession(secondReply); });
                }
            });
    }
    // Screen savers of the common desktops announce themselves under one of these interfaces.
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        for (const char *interface : {"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver", "org.mate.ScreenSaver",
                                      "org.cinnamon.ScreenSaver"}) {
            session.connect(QString(), QString(), QString::fromLatin1(interface), QStringLiteral("ActiveChanged"), this,
                            SLOT(onScreenSaverActiveChanged(bool)));
        }
    }
}

void SessionMonitor::ask(const QDBusMessage &call, std::function<void(const QDBusMessage &)> answered)
{
    // Never waited for: a login manager slow to answer must not hold the tray. Until it answers, the session
    // counts as present.
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [answered = std::move(answered)](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                answered(finished->reply());
            });
}

bool SessionMonitor::takeSession(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    m_sessionPath = qdbus_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    if (m_sessionPath.isEmpty()) {
        return false;
    }
    QDBusConnection::systemBus().connect(kLogin, m_sessionPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                                         SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList)));
    readSessionHints();
    return true;
}

void SessionMonitor::readSessionHints()
{
    // A hint that cannot be read counts as not set.
    for (const QString &hint : {QStringLiteral("IdleHint"), QStringLiteral("LockedHint")}) {
        ask(QDBusMessage::createMethodCall(kLogin, m_sessionPath, kProperties, QStringLiteral("Get"))
                << kSession << hint,
            [this, hint](const QDBusMessage &reply) {
                const bool set = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
                                 qdbus_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
                const bool idle = hint == QLatin1String("IdleHint") ? set : m_idle;
                const bool locked = hint == QLatin1String("LockedHint") ? set : m_locked;
                updateAway(idle, locked, m_screenSaverActive);
            });
    }
}

void SessionMonitor::onPrepareForSleep(bool sleeping)
{
    if (sleeping != m_sleeping) {
        m_sleeping = sleeping;
        Q_EMIT sleepingChanged(sleeping);
    }
}

void SessionMonitor::onSessionPropertiesChanged(const QString &interface, const QVariantMap &changed,
                                                const QStringList &invalidated)
{
    if (interface != kSession) {
        return;
    }
    const bool idle = changed.value(QStringLiteral("IdleHint"), m_idle).toBool();
    const bool locked = changed.value(QStringLiteral("LockedHint"), m_locked).toBool();
    updateAway(idle, locked, m_screenSaverActive);
    if (invalidated.contains(QStringLiteral("IdleHint")) || invalidated.contains(QStringLiteral("LockedHint"))) {
        readSessionHints();
    }
}

void SessionMonitor::onScreenSaverActiveChanged(bool active)
{
    updateAway(m_idle, m_locked, active);
}

void SessionMonitor::updateAway(bool idle, bool locked, bool screenSaver)
{
    const bool wasAway = isAway();
    m_idle = idle;
    m_locked = locked;
    m_screenSaverActive = screenSaver;
    if (isAway() != wasAway) {
        Q_EMIT awayChanged(isAway());
    }
}

} // namespace lumvex
