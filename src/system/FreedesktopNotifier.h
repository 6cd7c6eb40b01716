// SPDX-License-Identifier: MIT
#pragma once

#include "Notifier.h"

#include <QDBusConnection>
#include <QObject>

#include <QStringList>

#include <functional>
#include <map>
#include <optional>

class NotificationServer;
class QDBusPendingCallWatcher;

namespace lumvex {

// Notices as desktop notifications (org.freedesktop.Notifications on the session bus). A notice with a
// link offers it as the notification's default action and as a button, and opens it when either is
// picked; a server without actions shows the link in the text instead. A newer notice replaces the one
// still on screen. Every call is asynchronous; without a notification server the notice is dropped.
class FreedesktopNotifier final : public QObject, public Notifier
{
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QUrl &)>;

    // By default links open in the desktop's web browser.
    explicit FreedesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(), UrlOpener open = {},
                                 QObject *parent = nullptr);

    void show(const Notice &notice) override;

    // Whether the server has said what it can do.
    bool knowsCapabilities() const { return m_capabilities.has_value(); }

private:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);
    void askCapabilities();
    void onShown(QDBusPendingCallWatcher *watcher, const QUrl &link, uint replaced);

    QDBusConnection m_bus;
    NotificationServer *m_server; // child
    UrlOpener m_open;
    std::map<uint, QUrl> m_links; // the links of our notifications on screen, by id
    uint m_lastId = 0;
    int m_pendingShows = 0; // Notify calls whose reply has not come yet
    // Actions on ids we do not know yet: the server may tell of a click before its reply to Notify is handled.
    std::map<uint, QString> m_earlyActions;
    // What the server can do, once it said so: markup in the body, buttons.
    std::optional<QStringList> m_capabilities;
    bool m_askingCapabilities = false;
};

} // namespace lumvex
