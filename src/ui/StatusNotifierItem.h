// SPDX-License-Identifier: MIT
#pragma once

#include "DBusTypes.h"

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>

namespace lumvex {

class TrayItem;

// The org.kde.StatusNotifierItem object of one tray item, at /StatusNotifierItem on the item's own
// connection. Properties come from the tray item; calls go back to it. Every property a host may read is
// there, empty where unused (a missing one is an error on the host's side). The item is a menu: Activate
// and ContextMenu answer UnknownMethod, on which hosts that call them show the exported menu instead.
class StatusNotifierItem : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QString IconAccessibleDesc READ title)
    Q_PROPERTY(QList<lumvex::SniIconPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ overlayIconName)
    Q_PROPERTY(QList<lumvex::SniIconPixmap> OverlayIconPixmap READ overlayIconPixmap)
    Q_PROPERTY(QString AttentionIconName READ attentionIconName)
    Q_PROPERTY(QList<lumvex::SniIconPixmap> AttentionIconPixmap READ attentionIconPixmap)
    Q_PROPERTY(QString AttentionMovieName READ attentionMovieName)
    Q_PROPERTY(QString AttentionAccessibleDesc READ attentionAccessibleDesc)
    Q_PROPERTY(lumvex::SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItem(TrayItem &owner);

    QString category() const { return QStringLiteral("Hardware"); }
    QString id() const;
    QString title() const;
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconThemePath() const { return {}; }
    QString iconName() const { return {}; }
    SniIconPixmapList iconPixmap() const;
    QString overlayIconName() const { return {}; }
    SniIconPixmapList overlayIconPixmap() const { return {}; }
    QString attentionIconName() const { return {}; }
    SniIconPixmapList attentionIconPixmap() const { return {}; }
    QString attentionMovieName() const { return {}; }
    QString attentionAccessibleDesc() const { return {}; }
    SniToolTip toolTip() const;
    bool itemIsMenu() const { return true; }
    QDBusObjectPath menu() const;

public Q_SLOTS:
    void ContextMenu(int x, int y);
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void Scroll(int delta, const QString &orientation);

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString &status);
    void NewMenu();

private:
    TrayItem &m_owner;
};

} // namespace lumvex
