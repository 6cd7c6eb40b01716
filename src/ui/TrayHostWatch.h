// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

#include <functional>

class QDBusServiceWatcher;

namespace lumvex {

// Tells when no panel shows tray items: neither a status-notifier host nor an XEmbed tray a few seconds
// after the start, or a while after the host went away. Said once per session: a panel that restarts
// over and over must not bring a message each time.
class TrayHostWatch : public QObject
{
    Q_OBJECT

public:
    // fallbackShown: whether the items show as XEmbed icons. Asked rather than whether an XEmbed tray
    // exists, since one that came after the items were made does not show them.
    explicit TrayHostWatch(std::function<bool()> fallbackShown, QDBusConnection bus = QDBusConnection::sessionBus(),
                           QObject *parent = nullptr);

    // Whether a host showed the items when last looked at (true until the first look).
    bool hostSeen() const { return m_hostSeen; }

signals:
    // Once, after the first look.
    void firstLook(bool hostSeen);
    // Once per session, when no host shows the items.
    void noHost();

private:
    void look();
    void settle(bool present);

    std::function<bool()> m_fallbackShown;
    QDBusConnection m_bus;
    QDBusServiceWatcher *m_watcher;
    QTimer m_grace;
    bool m_hostSeen = true;
    bool m_looked = false;
    bool m_told = false;
};

} // namespace lumvex
