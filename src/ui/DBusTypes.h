// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QImage;

namespace lumvex {

// StatusNotifierItem: one icon image, ARGB32 in network byte order, (iiay).
struct SniIconPixmap
{
    int width = 0;
    int height = 0;
    QByteArray bytes;

    static SniIconPixmap fromImage(const QImage &image);
    QImage toImage() const;
};
using SniIconPixmapList = QList<SniIconPixmap>;

// StatusNotifierItem: (sa(iiay)ss), icon name, icon images, title, description.
struct SniToolTip
{
    QString iconName;
    SniIconPixmapList iconPixmaps;
    QString title;
    QString description;
};

// com.canonical.dbusmenu: a layout item (ia{sv}av); the children go as variants of layout items.
struct DBusMenuLayoutItem
{
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// com.canonical.dbusmenu: (ia{sv}), the properties of one item.
struct DBusMenuItemProperties
{
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;

// com.canonical.dbusmenu: (ias), names of properties removed from an item.
struct DBusMenuItemKeys
{
    int id = 0;
    QStringList properties;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// com.canonical.dbusmenu: (isvu), one event of EventGroup.
struct DBusMenuEvent
{
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

QDBusArgument &operator<<(QDBusArgument &argument, const SniIconPixmap &value);
const QDBusArgument &operator>>(const QDBusArgument &argument, SniIconPixmap &value);
QDBusArgument &operator<<(QDBusArgument &argument, const SniToolTip &value);
const QDBusArgument &operator>>(const QDBusArgument &argument, SniToolTip &value);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuLayoutItem &value);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuLayoutItem &value);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemProperties &value);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemProperties &value);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemKeys &value);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemKeys &value);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuEvent &value);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuEvent &value);

// Registers the types with Qt's meta-type and D-Bus systems; idempotent.
void registerDBusTypes();

} // namespace lumvex

Q_DECLARE_METATYPE(lumvex::SniIconPixmap)
Q_DECLARE_METATYPE(lumvex::SniToolTip)
Q_DECLARE_METATYPE(lumvex::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(lumvex::DBusMenuItemProperties)
Q_DECLARE_METATYPE(lumvex::DBusMenuItemKeys)
Q_DECLARE_METATYPE(lumvex::DBusMenuEvent)
