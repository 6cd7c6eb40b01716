// SPDX-License-Identifier: MIT
#include "TrayHostWatch.h"

#include "platform/linux/Logging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace lumvex {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
// Panels take a moment to come up at login, and a second or two to restart.
constexpr int kStartGraceMs = 5000;
constexpr int kGoneGraceMs = 10000;

} // namespace

TrayHostWatch::TrayHostWatch(std::function<bool()> fallbackShown, QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_fallbackShown(std::move(fallbackShown))
    , m_bus(std::move(bus))
    , m_watcher(new QDBusServiceWatcher(
          kWatcherService, m_bus,
          QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, this))
{
    m_grace.setSingleShot(true);
    connect(&m_grace, &QTimer::timeout, this, &TrayHostWatch::look);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { m_grace.start(kGoneGraceMs); });
    // Looked at again so that hostSeen follows a panel that comes back; it never speaks twice.
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { m_grace.start(kStartGraceMs); });
    m_grace.start(kStartGraceMs);
}

void TrayHostWatch::look()
{
    if (m_fallbackShown()) {
        settle(true);
        return;
    }
    if (!m_bus.isConnected() || !m_bus.interface()->isServiceRegistered(kWatcherService).value()) {
        settle(false);
        return;
    }
    // A watcher may run without any panel to show what registers with it.
    QDBusMessage get =
        QDBusMessage::createMethodCall(kWatcherService, QStringLiteral("/StatusNotifierWatcher"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<QDBusVariant> reply = *call;
        // A watcher that cannot say is taken at its word that someone listens.
        settle(reply.isError() || reply.value().variant().toBool());
        call->deleteLater();
    });
}

void TrayHostWatch::settle(bool present)
{
    m_hostSeen = present;
    if (!m_looked) {
        m_looked = true;
        emit firstLook(present);
    }
    if (present || m_told) {
        return;
    }
    m_told = true;
    qCDebug(lcTray, "no tray host shows the status items");
    emit noHost();
}

} // namespace lumvex
