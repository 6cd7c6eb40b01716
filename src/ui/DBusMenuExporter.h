#pragma once

#include "DBusTypes.h"
#include "MenuModel.h"

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>

#include <functional>

namespace lumvex {

// A status menu as com.canonical.dbusmenu. The menu is rebuilt from `menuProvider` whenever a host is
// about to show it or fetches the root layout, so it always tells the state of that moment; a changed
// menu gets a new revision and a LayoutUpdated signal. Clicks run the action of the entry with that id
// in the latest menu, after the reply has gone out.
class DBusMenuExporter : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit DBusMenuExporter(std::function<MenuEntry()> menuProvider, QObject *parent = nullptr);

    // Rebuilds the menu; true (and LayoutUpdated) when it differs from the last one.
    bool refresh();

    const MenuEntry &menu() const { return m_menu; }
    uint revision() const { return m_revision; }

    // Runs after a click's action; the owner uses it for tests and bookkeeping.
    std::function<void(int id)> onActivated;

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

    // The dbusmenu properties of one entry, all of them or those named (empty: all).
    static QVariantMap properties(const MenuEntry &entry, const QStringList &names = {});
    static DBusMenuLayoutItem layout(const MenuEntry &entry, int depth, const QStringList &names);

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                   lumvex::DBusMenuLayoutItem &layout);
    QList<lumvex::DBusMenuItemProperties> GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames);
    QDBusVariant GetProperty(int id, const QString &name);
    void Event(int id, const QString &eventId, const QDBusVariant &data, uint timestamp);
    QList<int> EventGroup(const QList<lumvex::DBusMenuEvent> &events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors);

Q_SIGNALS:
    void ItemsPropertiesUpdated(const QList<lumvex::DBusMenuItemProperties> &updatedProps,
                                const QList<lumvex::DBusMenuItemKeys> &removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    // Whether the event is for an entry of the menu; clicks are carried out later.
    bool handleEvent(int id, const QString &eventId);
    void activate(int id);

    std::function<MenuEntry()> m_menuProvider;
    MenuEntry m_menu;
    uint m_revision = 1;
};

} // namespace lumvex
