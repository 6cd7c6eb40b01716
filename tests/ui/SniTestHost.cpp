#include "SniTestHost.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include <thread>

namespace lumvex::test {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

bool spinUntil(const std::function<bool()> &condition, std::chrono::milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

std::pair<QString, QString> splitItem(const QString &item)
{
    const qsizetype slash = item.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        return {item, QStringLiteral("/StatusNotifierItem")};
    }
    return {item.left(slash), item.mid(slash)};
}

// The watcher.

FakeStatusNotifierWatcher::FakeStatusNotifierWatcher(QString connectionName)
    : m_connectionName(std::move(connectionName))
    , m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName))
{
    m_vanished = new QDBusServiceWatcher(this);
    m_vanished->setConnection(m_connection);
    m_vanished->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_vanished, &QDBusServiceWatcher::serviceUnregistered, this, &FakeStatusNotifierWatcher::itemVanished);
}

FakeStatusNotifierWatcher::~FakeStatusNotifierWatcher()
{
    stop();
    QDBusConnection::disconnectFromBus(m_connectionName);
}

bool FakeStatusNotifierWatcher::start()
{
    m_connection.registerObject(kWatcherPath, this,
                                QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                    QDBusConnection::ExportAllProperties);
    return m_connection.registerService(kWatcherService);
}

void FakeStatusNotifierWatcher::stop()
{
    m_connection.unregisterService(kWatcherService);
    m_connection.unregisterObject(kWatcherPath);
    m_items.clear();
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierItem(const QString &service)
{
    ++m_registrationCalls;
    const QString sender = calledFromDBus() ? message().service() : QString();
    QString item;
    QString owner;
    if (service.startsWith(QLatin1Char('/'))) {
        item = sender + service;
        owner = sender;
    } else {
        item = service + QStringLiteral("/StatusNotifierItem");
        owner = service;
    }
    if (!m_items.contains(item)) {
        m_items.append(item);
        m_vanished->addWatchedService(owner);
        Q_EMIT StatusNotifierItemRegistered(item);
    }
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierHost(const QString &)
{
    Q_EMIT StatusNotifierHostRegistered();
}

void FakeStatusNotifierWatcher::itemVanished(const QString &service)
{
    for (const QString &item : QStringList(m_items)) {
        if (splitItem(item).first == service) {
            m_items.removeAll(item);
            Q_EMIT StatusNotifierItemUnregistered(item);
        }
    }
}

// The host.

SniTestHost::SniTestHost(QString connectionName)
    : m_connectionName(std::move(connectionName))
    , m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName))
{
    registerDBusTypes();
}

SniTestHost::~SniTestHost()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
}

QDBusMessage SniTestHost::callAndWait(const QDBusMessage &message)
{
    QDBusPendingCall pending = m_connection.asyncCall(message, 5000);
    spinUntil([&pending] { return pending.isFinished(); }, std::chrono::seconds(6));
    return pending.reply();
}

QStringList SniTestHost::items()
{
    QDBusMessage get =
        QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kProperties, QStringLiteral("Get"));
    get.setArguments({kWatcherService, QStringLiteral("RegisteredStatusNotifierItems")});
    const QDBusMessage reply = callAndWait(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toStringList();
}

std::optional<QString> SniTestHost::waitForItem(const QString &id, std::chrono::milliseconds deadline)
{
    std::optional<QString> found;
    spinUntil(
        [&] {
            for (const QString &item : items()) {
                if (stringProperty(item, QStringLiteral("Id")) == id) {
                    found = item;
                    return true;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            return false;
        },
        deadline);
    if (found) {
        subscribe(*found);
    }
    return found;
}

void SniTestHost::subscribe(const QString &item)
{
    if (m_subscribed.contains(item)) {
        return;
    }
    m_subscribed.append(item);
    const auto [service, path] = splitItem(item);
    for (const char *member : {"NewIcon", "NewTitle", "NewToolTip", "NewStatus"}) {
        m_connection.connect(service, path, kItemInterface, QString::fromLatin1(member), this,
                             SLOT(onSignal(QDBusMessage)));
    }
    const QString menu = menuPath(item);
    for (const char *member : {"LayoutUpdated", "ItemsPropertiesUpdated"}) {
        m_connection.connect(service, menu, kMenuInterface, QString::fromLatin1(member), this,
                             SLOT(onSignal(QDBusMessage)));
    }
}

void SniTestHost::onSignal(const QDBusMessage &message)
{
    m_signals.append(message.member());
}

QVariant SniTestHost::property(const QString &item, const QString &name)
{
    const auto [service, path] = splitItem(item);
    QDBusMessage get = QDBusMessage::createMethodCall(service, path, kProperties, QStringLiteral("Get"));
    get.setArguments({kItemInterface, name});
    const QDBusMessage reply = callAndWait(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant();
}

QString SniTestHost::stringProperty(const QString &item, const QString &name)
{
    const QVariant value = property(item, name);
    if (value.canConvert<QDBusObjectPath>() && value.userType() == qMetaTypeId<QDBusObjectPath>()) {
        return qvariant_cast<QDBusObjectPath>(value).path();
    }
    return value.toString();
}

SniToolTip SniTestHost::toolTip(const QString &item)
{
    SniToolTip tip;
    const QVariant value = property(item, QStringLiteral("ToolTip"));
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        qvariant_cast<QDBusArgument>(value) >> tip;
    }
    return tip;
}

QList<QSize> SniTestHost::iconPixmapSizes(const QString &item)
{
    QList<QSize> sizes;
    const QVariant value = property(item, QStringLiteral("IconPixmap"));
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        SniIconPixmapList list;
        qvariant_cast<QDBusArgument>(value) >> list;
        for (const SniIconPixmap &pixmap : list) {
            sizes.append(QSize(pixmap.width, pixmap.height));
        }
    }
    return sizes;
}

QImage SniTestHost::iconPixmap(const QString &item, int size)
{
    const QVariant value = property(item, QStringLiteral("IconPixmap"));
    if (value.userType() != qMetaTypeId<QDBusArgument>()) {
        return {};
    }
    SniIconPixmapList list;
    qvariant_cast<QDBusArgument>(value) >> list;
    for (const SniIconPixmap &pixmap : list) {
        if (pixmap.width == size && pixmap.height == size) {
            return pixmap.toImage();
        }
    }
    return {};
}

QDBusMessage SniTestHost::callItem(const QString &item, const QString &method, const QVariantList &arguments)
{
    const auto [service, path] = splitItem(item);
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, kItemInterface, method);
    call.setArguments(arguments);
    return callAndWait(call);
}

QDBusMessage SniTestHost::scroll(const QString &item, int delta, const QString &orientation)
{
    return callItem(item, QStringLiteral("Scroll"), {delta, orientation});
}

QDBusMessage SniTestHost::activate(const QString &item, int x, int y)
{
    return callItem(item, QStringLiteral("Activate"), {x, y});
}

QDBusMessage SniTestHost::secondaryActivate(const QString &item, int x, int y)
{
    return callItem(item, QStringLiteral("SecondaryActivate"), {x, y});
}

QString SniTestHost::menuPath(const QString &item)
{
    const QVariant value = property(item, QStringLiteral("Menu"));
    return qvariant_cast<QDBusObjectPath>(value).path();
}

QDBusMessage SniTestHost::callMenu(const QString &item, const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(splitItem(item).first, menuPath(item), kMenuInterface, method);
    call.setArguments(arguments);
    return callAndWait(call);
}

DBusMenuLayoutItem SniTestHost::menuLayout(const QString &item)
{
    callMenu(item, QStringLiteral("AboutToShow"), {0});
    const QDBusMessage reply = callMenu(item, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    DBusMenuLayoutItem layout;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) {
        qWarning("GetLayout failed: %s %s (%d arguments)", qPrintable(reply.errorName()),
                 qPrintable(reply.errorMessage()), int(reply.arguments().size()));
    } else {
        qvariant_cast<QDBusArgument>(reply.arguments().at(1)) >> layout;
    }
    return layout;
}

QDBusMessage SniTestHost::clickMenuEntry(const QString &item, int id)
{
    const QDBusMessage reply =
        callMenu(item, QStringLiteral("Event"),
                 {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
    // The item acts after it has answered.
    spinUntil([] { return false; }, std::chrono::milliseconds(50));
    return reply;
}

QStringList describeMenu(const DBusMenuLayoutItem &layout, int indent)
{
    QStringList lines;
    const QString pad(indent * 2, QLatin1Char(' '));
    for (const DBusMenuLayoutItem &child : layout.children) {
        if (child.properties.value(QStringLiteral("type")).toString() == QLatin1String("separator")) {
            lines.append(pad + QStringLiteral("---"));
            continue;
        }
        lines.append(pad + child.properties.value(QStringLiteral("label")).toString());
        if (!child.children.isEmpty()) {
            lines.append(describeMenu(child, indent + 1));
        }
    }
    return lines;
}

std::optional<DBusMenuLayoutItem> findEntry(const DBusMenuLayoutItem &layout, const QString &label)
{
    for (const DBusMenuLayoutItem &child : layout.children) {
        if (child.properties.value(QStringLiteral("label")).toString() == label) {
            return child;
        }
        if (auto found = findEntry(child, label)) {
            return found;
        }
    }
    return std::nullopt;
}

} // namespace lumvex::test
