// SPDX-License-Identifier: MIT
#include "SessionMonitor.h"

#include "loginmanager.h"
#include "loginsession.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusReply>

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
        m_sessionPath = findSessionPath();
        if (!m_sessionPath.isEmpty()) {
            system.connect(kLogin, m_sessionPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                           SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList)));
            readSessionHints();
        }
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

QString SessionMonitor::findSessionPath() const
{
    LoginManager manager(kLogin, kManagerPath, QDBusConnection::systemBus());
    manager.setTimeout(kCallTimeoutMs);
    // Our own process's session first; "auto" also finds the user's display session when we were
    // started outside one (by a user service, say).
    QDBusReply<QDBusObjectPath> reply = manager.GetSessionByPID(quint32(::getpid()));
    if (!reply.isValid()) {
        reply = manager.GetSession(QStringLiteral("auto"));
    }
    return reply.isValid() ? reply.value().path() : QString();
}

void SessionMonitor::readSessionHints()
{
    LoginSession session(kLogin, m_sessionPath, QDBusConnection::systemBus());
    session.setTimeout(kCallTimeoutMs);
    // A hint that cannot be read counts as not set.
    const bool idle = session.idleHint();
    const bool locked = session.lockedHint();
    updateAway(idle, locked, m_screenSaverActive);
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
