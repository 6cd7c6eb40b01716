// SPDX-License-Identifier: MIT
#pragma once

#include "DBusTypes.h"
#include "MenuModel.h"

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>

#include <functional>

namespace lumvex {

// A status menu as com.canonical.dbusmenu. The menu is rebuilt from `menuProvider` whenever a host is
// about to show it, fetches the root layout or the owner refreshes it, so it always tells the state of
// that moment. Hosts that keep a copy hear of every change: changed labels and states through
// ItemsPropertiesUpdated (some hosts read them from nowhere else), a changed structure through
// LayoutUpdated with a new revision. Clicks run the action of the entry with that id in the latest menu,
// after the reply has gone out.
//
// The menu has a plain and an alternate form (the Alt key's entries). Which one is read from
// `alternateProvider` when a host starts showing the menu (AboutToShow or "opened" on the root) and held
// until it says "closed", so that entries never vanish from an open menu.
class DBusMenuExporter : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    DBusMenuExporter(std::function<MenuEntry(bool alternate)> menuProvider, std::function<bool()> alternateProvider,
                     QObject *parent = nullptr);

    // Rebuilds the menu; true (and a signal) when it differs from the last one.
    bool refresh();
    // Whether a host shows the menu now, between its opening and its "closed".
    bool isShown() const { return m_shown; }

    const MenuEntry &menu() const { return m_menu; }
    uint revision() const { return m_revision; }

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
    void beginShowing();
    MenuEntry build() const;

    std::function<MenuEntry(bool alternate)> m_menuProvider;
    std::function<bool()> m_alternateProvider;
    MenuEntry m_menu;
    uint m_revision = 1;
    bool m_shown = false;
    bool m_heldAlternate = false;
};

} // namespace lumvex
