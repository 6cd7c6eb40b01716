// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace lumvex {

// Watches the desktop session for the moments in which the desktop, not the user, moves the backlight:
// the session going idle or locked (the login manager's IdleHint and LockedHint, the screen saver's
// ActiveChanged on the session bus) and the machine going to sleep and waking (PrepareForSleep).
// Without a login manager or screen saver the session simply never counts as away.
class SessionMonitor : public QObject
{
    Q_OBJECT

public:
    explicit SessionMonitor(QObject *parent = nullptr);

    bool isAway() const { return m_idle || m_locked || m_screenSaverActive; }
    bool isSleeping() const { return m_sleeping; }

Q_SIGNALS:
    void awayChanged(bool away);
    // true before the machine sleeps, false once it has woken.
    void sleepingChanged(bool sleeping);

private Q_SLOTS:
    void onPrepareForSleep(bool sleeping);
    void onSessionPropertiesChanged(const QString &interface, const QVariantMap &changed,
                                    const QStringList &invalidated);
    void onScreenSaverActiveChanged(bool active);

private:
    void ask(const QDBusMessage &call, std::function<void(const QDBusMessage &)> answered);
    bool takeSession(const QDBusMessage &reply);
    void readSessionHints();
    void updateAway(bool idle, bool locked, bool screenSaver);

    QString m_sessionPath;
    bool m_idle = false;
    bool m_locked = false;
    bool m_screenSaverActive = false;
    bool m_sleeping = false;
};

} // namespace lumvex
