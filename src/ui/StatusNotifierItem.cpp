// SPDX-License-Identifier: MIT
#include "StatusNotifierItem.h"

#include "TrayItem.h"

#include <QDBusMessage>

namespace lumvex {

StatusNotifierItem::StatusNotifierItem(TrayItem &owner)
    : QObject(&owner)
    , m_owner(owner)
{
    registerDBusTypes();
}

QString StatusNotifierItem::id() const
{
    return QString::fromStdString(m_owner.identity().id);
}

QString StatusNotifierItem::title() const
{
    return m_owner.title();
}

SniIconPixmapList StatusNotifierItem::iconPixmap() const
{
    SniIconPixmapList list;
    for (int size : TrayItem::pixmapSizes()) {
        list.append(SniIconPixmap::fromImage(m_owner.iconImage(size)));
    }
    return list;
}

SniToolTip StatusNotifierItem::toolTip() const
{
    SniToolTip tip;
    tip.title = m_owner.toolTipTitle();
    tip.description = m_owner.toolTipDescription();
    return tip;
}

QDBusObjectPath StatusNotifierItem::menu() const
{
    return QDBusObjectPath(QStringLiteral("/MenuBar"));
}

void StatusNotifierItem::ContextMenu(int x, int y)
{
    Activate(x, y);
}

void StatusNotifierItem::Activate(int x, int y)
{
    m_owner.hostActivate(x, y);
    // A menu of our own would be a toplevel window in the middle of a Wayland screen: the host's it is.
    if (calledFromDBus()) {
        sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("The item is a menu"));
    }
}

void StatusNotifierItem::SecondaryActivate(int, int)
{
    m_owner.hostSecondaryActivate();
}

void StatusNotifierItem::Scroll(int delta, const QString &orientation)
{
    m_owner.hostScroll(delta, orientation, calledFromDBus() ? message().service() : QString());
}

} // namespace lumvex
