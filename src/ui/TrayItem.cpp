// SPDX-License-Identifier: MIT
#include "TrayItem.h"

#include "DBusMenuExporter.h"
#include "IconColor.h"
#include "QMenuBuilder.h"
#include "ScrollableStatusView.h"
#include "StatusNotifierItem.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"
#include "platform/linux/Logging.h"
#include "statusnotifierwatcher.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QIconEngine>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWheelEvent>

#include <atomic>
#include <unistd.h>

namespace lumvex {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

std::atomic<int> g_instances{0};

// The view's icon at whatever size the fallback tray asks for.
class ViewIconEngine final : public QIconEngine
{
public:
    ViewIconEngine(const TrayItem &item)
        : m_item(item)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->drawImage(rect, m_item.iconImage(std::max(rect.width(), rect.height())));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return QPixmap::fromImage(m_item.iconImage(std::max(size.width(), size.height())));
    }

    QIconEngine *clone() const override { return new ViewIconEngine(m_item); }

private:
    const TrayItem &m_item;
};

std::string commandLineOfProcess(uint pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray text = file.readAll();
    text.replace('\0', ' ');
    return text.toStdString();
}

} // namespace

const std::vector<int> &TrayItem::pixmapSizes()
{
    static const std::vector<int> sizes{16, 22, 24, 32, 48, 64};
    return sizes;
}

TrayItem::TrayItem(ScrollableStatusView &view, Identity identity, std::function<MenuEntry(bool optionKey)> menuProvider,
                   std::function<bool()> optionKeyDown, Defaults &defaults, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_identity(std::move(identity))
    , m_menuProvider(std::move(menuProvider))
    , m_optionKeyDown(std::move(optionKeyDown))
    , m_defaults(defaults)
    , m_connection(QStringLiteral("unconnected"))
{
    m_view.accessibilityLabel = m_identity.name;
    connect(&m_view, &ScrollableStatusView::needsDisplay, this, &TrayItem::scheduleUpdate);

    const int instance = ++g_instances;
    m_connectionName = QStringLiteral("lumvex-tray-%1-%2").arg(QString::fromStdString(m_identity.id)).arg(instance);
    m_connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName);
    m_serviceName = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(instance);

    const bool watcherPresent = m_connection.isConnected() && m_connection.interface() != nullptr &&
                                m_connection.interface()->isServiceRegistered(kWatcherService).value();
    if (m_connection.isConnected()) {
        m_watcherWatcher =
            new QDBusServiceWatcher(kWatcherService, m_connection, QDBusServiceWatcher::WatchForRegistration, this);
        connect(m_watcherWatcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
            qCDebug(lcTray) << "watcher appeared; registering" << m_serviceName;
            if (m_sni == nullptr) {
                startStatusNotifier();
            }
            stopFallback();
            registerWithWatcher();
        });
    }
    if (watcherPresent) {
        startStatusNotifier();
        registerWithWatcher();
    } else {
        if (m_connection.isConnected()) {
            // Exported all the same, so that a watcher that comes later finds it at once.
            startStatusNotifier();
        }
        startFallback();
    }
}

TrayItem::~TrayItem()
{
    if (m_openMenu) {
        delete m_openMenu.data();
    }
    if (m_connection.isConnected()) {
        m_connection.unregisterObject(QStringLiteral("/StatusNotifierItem"));
        m_connection.unregisterObject(QStringLiteral("/MenuBar"));
        m_connection.unregisterService(m_serviceName);
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
}

void TrayItem::startStatusNotifier()
{
    if (m_sni != nullptr) {
        return;
    }
    m_sni = new StatusNotifierItem(*this);
    m_menuExporter = new DBusMenuExporter(m_menuProvider, m_optionKeyDown, this);
    const auto exportAll =
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals | QDBusConnection::ExportAllProperties;
    if (!m_connection.registerObject(QStringLiteral("/StatusNotifierItem"), m_sni, exportAll) ||
        !m_connection.registerObject(QStringLiteral("/MenuBar"), m_menuExporter, exportAll)) {
        qCWarning(lcTray) << "cannot export the status item" << m_connection.lastError().message();
    }
    if (!m_connection.registerService(m_serviceName)) {
        qCWarning(lcTray) << "cannot own" << m_serviceName << m_connection.lastError().message();
    }
    publish();
}

void TrayItem::registerWithWatcher()
{
    StatusNotifierWatcher statusWatcher(kWatcherService, kWatcherPath, m_connection);
    // Never blocking: the watcher may live in this very process (tests) or be slow to answer.
    auto *pending = new QDBusPendingCallWatcher(statusWatcher.RegisterStatusNotifierItem(m_serviceName), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        if (finished->isError()) {
            qCDebug(lcTray) << "watcher refused" << m_serviceName << finished->error().message();
        } else {
            ++m_registrations;
        }
        finished->deleteLater();
    });
}

void TrayItem::startFallback()
{
    if (m_fallback || qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr ||
        !QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!m_fallback) {
            qCDebug(lcTray) << "no StatusNotifierWatcher and no XEmbed tray: the item is not shown";
        }
        return;
    }
    m_fallback = std::make_unique<QSystemTrayIcon>();
    m_fallback->setToolTip(title());
    updateFallbackIcon();
    connect(m_fallback.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
        case QSystemTrayIcon::DoubleClick:
            m_lastActivation.reset();
            m_view.mouseDown();
            break;
        case QSystemTrayIcon::Context:
            m_view.secondaryActivate();
            break;
        case QSystemTrayIcon::MiddleClick:
            hostSecondaryActivate();
            break;
        case QSystemTrayIcon::Unknown:
            break;
        }
    });
    m_fallback->installEventFilter(this);
    m_fallback->show();
}

void TrayItem::stopFallback()
{
    if (m_fallback) {
        m_fallback->hide();
        m_fallback.reset();
    }
}

bool TrayItem::eventFilter(QObject *watched, QEvent *event)
{
    // Qt's XEmbed icon hands its wheel events to its own QSystemTrayIcon, so each item sees only its own.
    if (event->type() == QEvent::Wheel && m_fallback && watched == m_fallback.get()) {
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (delta != 0) {
            m_view.scrollWheel(scrollRules::viewDelta(delta, scrollRules::kUnknownHost, invertScroll()));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TrayItem::popupMenu(const MenuEntry &menu)
{
    ++m_menusPresented;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    if (m_openMenu) {
        m_openMenu->close();
        m_openMenu->deleteLater();
    }
    m_openMenu = buildQMenu(menu);
    m_openMenu->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_openMenu, &QMenu::aboutToHide, m_openMenu, &QObject::deleteLater);
    m_openMenu->popup(m_lastActivation.value_or(QCursor::pos()));
}

void TrayItem::refreshMenu()
{
    if (m_menuExporter != nullptr) {
        m_menuExporter->refresh();
    }
}

QString TrayItem::title() const
{
    return QString::fromStdString(m_identity.name + " " + m_view.accessibilityValue());
}

QString TrayItem::toolTipTitle() const
{
    return QString::fromStdString(m_identity.name);
}

QString TrayItem::toolTipDescription() const
{
    return QString::fromStdString(m_view.accessibilityValue());
}

QImage TrayItem::iconImage(int pixelSize) const
{
    return m_view.draw(pixelSize, iconColor::current(m_defaults));
}

void TrayItem::hostScroll(int delta, const QString &orientation, const QString &sender)
{
    if (!scrollRules::isVertical(orientation.toStdString())) {
        return;
    }
    m_view.scrollWheel(scrollRules::viewDelta(delta, scrollHostOf(sender), invertScroll()));
}

void TrayItem::hostActivate(int x, int y)
{
    if (x != 0 || y != 0) {
        m_lastActivation = QPoint(x, y);
        emit activated(QPoint(x, y));
    } else {
        m_lastActivation.reset();
    }
}

void TrayItem::hostSecondaryActivate()
{
    emit secondaryActivateRequested();
}

scrollRules::HostScroll TrayItem::scrollHostOf(const QString &sender)
{
    // The caller is the host; where it is no host we know (a watcher of its own process calling for
    // it, a wrapper), the process owning the watcher tells the desktop.
    const scrollRules::HostScroll caller = scrollHostOfService(sender);
    return caller.known ? caller : scrollHostOfService(kWatcherService);
}

scrollRules::HostScroll TrayItem::scrollHostOfService(const QString &service)
{
    if (service.isEmpty() || !m_connection.isConnected() || m_connection.interface() == nullptr) {
        return scrollRules::kUnknownHost;
    }
    // The watcher's owner can change; its answer is asked for every time, callers' are kept.
    const bool cache = service != kWatcherService;
    const auto known = m_scrollHosts.constFind(service);
    if (cache && known != m_scrollHosts.constEnd()) {
        return *known;
    }
    const QDBusReply<uint> pid = m_connection.interface()->servicePid(service);
    const scrollRules::HostScroll host =
        pid.isValid() ? scrollRules::hostForCommandLine(commandLineOfProcess(pid.value())) : scrollRules::kUnknownHost;
    if (cache) {
        m_scrollHosts.insert(service, host);
    }
    return host;
}

bool TrayItem::invertScroll() const
{
    return settings::value(m_defaults, settings::invertScroll);
}

void TrayItem::scheduleUpdate()
{
    if (m_updateScheduled) {
        return;
    }
    m_updateScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_updateScheduled = false;
        publish();
    });
}

void TrayItem::publish()
{
    const QString newTitle = title();
    const QString newToolTip = toolTipTitle() + QLatin1Char('\n') + toolTipDescription();
    const QImage newIcon = iconImage(pixmapSizes().back());
    const bool titleChanged = newTitle != m_publishedTitle;
    const bool toolTipChanged = newToolTip != m_publishedToolTip;
    const bool iconChanged = newIcon != m_publishedIcon;
    m_publishedTitle = newTitle;
    m_publishedToolTip = newToolTip;
    m_publishedIcon = newIcon;
    if (m_sni != nullptr) {
        if (iconChanged) {
            Q_EMIT m_sni->NewIcon();
        }
        if (titleChanged) {
            Q_EMIT m_sni->NewTitle();
        }
        if (toolTipChanged) {
            Q_EMIT m_sni->NewToolTip();
        }
    }
    if (m_fallback) {
        if (iconChanged) {
            updateFallbackIcon();
        }
        m_fallback->setToolTip(newTitle);
    }
}

void TrayItem::updateFallbackIcon()
{
    if (m_fallback) {
        m_fallback->setIcon(QIcon(new ViewIconEngine(*this)));
    }
}

} // namespace lumvex
