#pragma once

// A StatusNotifierWatcher and a StatusNotifierItem host for tests, each on a D-Bus connection of its own
// to the session bus (a private one, started by run-with-session-bus.sh). They work against items in the
// same process (every call is asynchronous and waits with Qt's event loop running, so the item can
// answer) and against the real lumvex program in another process alike:
//
//   FakeStatusNotifierWatcher watcher;          // before the program starts, so that it finds one
//   ASSERT_TRUE(watcher.start());
//   QProcess lumvex; lumvex.start(path, {});     // same DBUS_SESSION_BUS_ADDRESS, LUMVEX_SYSFS_ROOT, ...
//   SniTestHost host;
//   const auto item = host.waitForItem("lumvex-brightness", 10s);
//   host.scroll(*item, 120);                     // wheel up, Qt style: +5 %
//   const auto entry = findEntry(host.menuLayout(*item), "Automatic Brightness");
//   host.clickMenuEntry(*item, entry->id);
//
// Link lumvex_sni_testhost (tests/ui/CMakeLists.txt).

#include "ui/DBusTypes.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QVariant>

class QDBusServiceWatcher;

#include <chrono>
#include <optional>
#include <ostream>

namespace lumvex::test {

// org.kde.StatusNotifierWatcher at /StatusNotifierWatcher. Items are listed as "<service>/<path>" as
// Plasma's watcher does; an item that registers with a bus name is taken at /StatusNotifierItem.
class FakeStatusNotifierWatcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit FakeStatusNotifierWatcher(QString connectionName = QStringLiteral("lumvex-test-watcher"));
    ~FakeStatusNotifierWatcher() override;

    // Takes the watcher's name (and so appears to items); false when it is taken.
    bool start();
    // Gives the name up and forgets every item, as a watcher that quits.
    void stop();

    QStringList registeredItems() const { return m_items; }
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    // How many times RegisterStatusNotifierItem was called, over all items.
    int registrationCalls() const { return m_registrationCalls; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service);
    void RegisterStatusNotifierHost(const QString &service);

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString &item);
    void StatusNotifierItemUnregistered(const QString &item);
    void StatusNotifierHostRegistered();

private:
    void itemVanished(const QString &service);

    QString m_connectionName;
    QDBusConnection m_connection;
    QDBusServiceWatcher *m_vanished = nullptr;
    QStringList m_items;
    int m_registrationCalls = 0;
};

// A host: finds items through the watcher, reads their properties, calls their methods, fetches and
// clicks their menus, and counts the signals they send.
class SniTestHost : public QObject
{
    Q_OBJECT

public:
    explicit SniTestHost(QString connectionName = QStringLiteral("lumvex-test-host"));
    ~SniTestHost() override;

    // The watcher's RegisteredStatusNotifierItems.
    QStringList items();
    // Waits until an item whose Id is `id` is registered; its "<service>/<path>" or nothing.
    std::optional<QString> waitForItem(const QString &id, std::chrono::milliseconds deadline = std::chrono::seconds(5));

    QVariant property(const QString &item, const QString &name);
    QString stringProperty(const QString &item, const QString &name);
    SniToolTip toolTip(const QString &item);
    // The IconPixmap image of exactly that size, or a null image.
    QImage iconPixmap(const QString &item, int size);
    QList<QSize> iconPixmapSizes(const QString &item);

    // Calls a method of org.kde.StatusNotifierItem and waits for the reply.
    QDBusMessage callItem(const QString &item, const QString &method, const QVariantList &arguments);
    QDBusMessage scroll(const QString &item, int delta, const QString &orientation = QStringLiteral("vertical"));
    QDBusMessage activate(const QString &item, int x = 0, int y = 0);
    QDBusMessage secondaryActivate(const QString &item, int x = 0, int y = 0);

    // The menu as a host shows it: AboutToShow(0), then GetLayout(0, -1, []).
    DBusMenuLayoutItem menuLayout(const QString &item);
    // Sends a "clicked" event to the entry and lets the item act on it.
    QDBusMessage clickMenuEntry(const QString &item, int id);
    QDBusMessage callMenu(const QString &item, const QString &method, const QVariantList &arguments);

    // Signals received from items, by member name ("NewIcon", "LayoutUpdated", ...).
    int signalCount(const QString &member) const { return static_cast<int>(m_signals.count(member)); }
    void clearSignals() { m_signals.clear(); }

    QDBusConnection &connection() { return m_connection; }

private Q_SLOTS:
    void onSignal(const QDBusMessage &message);

private:
    QDBusMessage callAndWait(const QDBusMessage &message);
    QString menuPath(const QString &item);
    void subscribe(const QString &item);

    QString m_connectionName;
    QDBusConnection m_connection;
    QStringList m_subscribed;
    QStringList m_signals;
};

// "<service>/<path>" split into its service and object path.
std::pair<QString, QString> splitItem(const QString &item);

// Labels of a layout's children in order, separators as "---", submenus with their entries indented
// by two spaces per level.
QStringList describeMenu(const DBusMenuLayoutItem &layout, int indent = 0);
// The child entry (at any depth) with that label; nothing when there is none.
std::optional<DBusMenuLayoutItem> findEntry(const DBusMenuLayoutItem &layout, const QString &label);

} // namespace lumvex::test

// Readable QStrings in test failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
