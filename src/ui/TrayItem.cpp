#include "TrayItem.h"

#include "DBusMenuExporter.h"
#include "IconColor.h"
#include "QMenuBuilder.h"
#include "ScrollableStatusView.h"
#include "StatusNotifierItem.h"
#include "engine/Defaults.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QIconEngine>
#include <QLoggingCategory>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWheelEvent>

#include <atomic>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcTray, "lumvex.tray", QtWarningMsg)

namespace lumvex {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");

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

TrayItem::TrayItem(ScrollableStatusView &view, Identity identity, std::function<MenuEntry()> menuProvider,
                   Defaults &defaults, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_identity(std::move(identity))
    , m_menuProvider(std::move(menuProvider))
    , m_defaults(defaults)
    , m_connection(QStringLiteral("unconnected"))
{
    m_view.accessibilityLabel = m_identity.name;
    m_view.onNeedsDisplay = [this] { scheduleUpdate(); };

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
    m_view.onNeedsDisplay = nullptr;
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
    m_menuExporter = new DBusMenuExporter(m_menuProvider, this);
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
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherInterface,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call.setArguments({m_serviceName});
    // Never blocking: the watcher may live in this very process (tests) or be slow to answer.
    auto *watcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
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
            m_view.rightMouseDown();
            break;
        case QSystemTrayIcon::MiddleClick:
            hostSecondaryActivate();
            break;
        case QSystemTrayIcon::Unknown:
            break;
        }
    });
    qApp->installEventFilter(this);
    m_fallback->show();
}

void TrayItem::stopFallback()
{
    if (m_fallback) {
        qApp->removeEventFilter(this);
        m_fallback->hide();
        m_fallback.reset();
    }
}

bool TrayItem::eventFilter(QObject *watched, QEvent *event)
{
    // The XEmbed tray icon is a private widget of Qt's; its wheel events are ours to take.
    if (event->type() == QEvent::Wheel && m_fallback &&
        qstrcmp(watched->metaObject()->className(), "QSystemTrayIconSys") == 0) {
        auto *widget = qobject_cast<QWidget *>(watched);
        const QRect global = widget ? QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()) : QRect();
        if (!widget || global == m_fallback->geometry() || m_fallback->geometry().isEmpty()) {
            const auto *wheel = static_cast<QWheelEvent *>(event);
            const int delta = wheel->angleDelta().y();
            if (delta != 0) {
                m_view.scrollWheel(
                    scrollRules::viewDelta(delta, scrollRules::HostConvention::upPositive, invertScroll()));
            }
            return true;
        }
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
    m_view.scrollWheel(scrollRules::viewDelta(delta, conventionOf(sender), invertScroll()));
}

void TrayItem::hostActivate(int x, int y)
{
    if (x != 0 || y != 0) {
        m_lastActivation = QPoint(x, y);
        if (onHostPosition) {
            onHostPosition(x, y);
        }
    } else {
        m_lastActivation.reset();
    }
    m_view.mouseDown();
}

void TrayItem::hostSecondaryActivate()
{
    if (onSecondaryActivate) {
        onSecondaryActivate();
    }
}

scrollRules::HostConvention TrayItem::conventionOf(const QString &sender)
{
    if (hostConvention) {
        return hostConvention(sender);
    }
    if (sender.isEmpty() || !m_connection.isConnected() || m_connection.interface() == nullptr) {
        return scrollRules::HostConvention::upPositive;
    }
    const auto known = m_conventions.constFind(sender);
    if (known != m_conventions.constEnd()) {
        return *known;
    }
    const QDBusReply<uint> pid = m_connection.interface()->servicePid(sender);
    const scrollRules::HostConvention convention =
        pid.isValid() ? scrollRules::conventionForCommandLine(commandLineOfProcess(pid.value()))
                      : scrollRules::HostConvention::upPositive;
    m_conventions.insert(sender, convention);
    return convention;
}

bool TrayItem::invertScroll() const
{
    return m_defaults.boolValue("invertScroll").value_or(false);
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
