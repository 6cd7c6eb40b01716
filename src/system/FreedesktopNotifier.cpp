// SPDX-License-Identifier: MIT
#include "FreedesktopNotifier.h"

#include "notificationserver.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>

namespace lumvex {

namespace {

const QString kDefaultAction = QStringLiteral("default");
const QString kOpenAction = QStringLiteral("open");

} // namespace

FreedesktopNotifier::FreedesktopNotifier(QDBusConnection bus, UrlOpener open, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_server(new NotificationServer(QStringLiteral("org.freedesktop.Notifications"),
                                      QStringLiteral("/org/freedesktop/Notifications"), m_bus, this))
    , m_open(open ? std::move(open) : [](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    connect(m_server, &NotificationServer::ActionInvoked, this, &FreedesktopNotifier::onActionInvoked);
    connect(m_server, &NotificationServer::NotificationClosed, this, &FreedesktopNotifier::onNotificationClosed);
    askCapabilities();
}

void FreedesktopNotifier::askCapabilities()
{
    if (!m_bus.isConnected() || m_askingCapabilities) {
        return;
    }
    m_askingCapabilities = true;
    auto *watcher = new QDBusPendingCallWatcher(m_server->GetCapabilities(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        m_askingCapabilities = false;
        const QDBusPendingReply<QStringList> reply = *finished;
        if (!reply.isError()) {
            m_capabilities = reply.value();
        }
    });
}

void FreedesktopNotifier::show(const Notice &notice)
{
    if (!m_bus.isConnected()) {
        return;
    }
    // The server may have come up since the last attempt.
    if (!m_capabilities) {
        askCapabilities();
    }
    const bool markup = m_capabilities && m_capabilities->contains(QStringLiteral("body-markup"));
    const bool buttons = !m_capabilities || m_capabilities->contains(QStringLiteral("actions"));

    QString body = notice.body;
    QStringList actions;
    if (!notice.link.isEmpty()) {
        if (buttons) {
            actions << kDefaultAction << notice.linkLabel << kOpenAction << notice.linkLabel;
        } else {
            body += QLatin1Char('\n') + notice.link.toString();
        }
    }
    if (markup) {
        body = body.toHtmlEscaped();
    }
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("lumvex")},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))},
    };

    auto *watcher =
        new QDBusPendingCallWatcher(m_server->Notify(QStringLiteral("Lumvex"), m_lastId, QStringLiteral("lumvex"),
                                                     notice.summary, body, actions, hints, -1),
                                    this);
    ++m_pendingShows;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, link = notice.link, replaced = m_lastId](QDBusPendingCallWatcher *finished) {
                onShown(finished, link, replaced);
            });
}

void FreedesktopNotifier::onShown(QDBusPendingCallWatcher *watcher, const QUrl &link, uint replaced)
{
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    const bool lastPending = --m_pendingShows == 0;
    const auto forgetEarlyActions = [&] {
        if (lastPending) {
            m_earlyActions.clear();
        }
    };
    if (reply.isError()) {
        forgetEarlyActions();
        return;
    }
    const uint id = reply.value();
    // The notice this one replaced was taken down before the reply came (an action on it may be handled
    // first): the server has closed it, so it must not come back as the one on screen.
    if (replaced != 0 && id == replaced && m_lastId != replaced) {
        forgetEarlyActions();
        return;
    }
    if (m_lastId != id) {
        m_links.erase(m_lastId);
    }
    m_lastId = id;
    if (link.isEmpty()) {
        m_links.erase(id);
    } else {
        m_links[id] = link;
    }
    if (const auto early = m_earlyActions.find(id); early != m_earlyActions.end()) {
        const QString action = early->second;
        m_earlyActions.erase(early);
        onActionInvoked(id, action);
    }
    forgetEarlyActions();
}

void FreedesktopNotifier::onActionInvoked(uint id, const QString &action)
{
    const auto it = m_links.find(id);
    if (it == m_links.end() && m_pendingShows > 0) {
        m_earlyActions[id] = action;
        return;
    }
    if (it == m_links.end()) {
        return;
    }
    if (action == kDefaultAction || action == kOpenAction) {
        m_open(it->second);
    }
    // Without the resident hint the server takes a notice down once an action is invoked on it: the next
    // notice is a new one, whenever the server's closing signal comes.
    onNotificationClosed(id, 2);
}

void FreedesktopNotifier::onNotificationClosed(uint id, uint /*reason*/)
{
    m_links.erase(id);
    if (id == m_lastId) {
        m_lastId = 0;
    }
}

} // namespace lumvex
