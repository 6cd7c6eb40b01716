// SPDX-License-Identifier: MIT
#pragma once

#include "MenuModel.h"
#include "ScrollRules.h"

#include <QDBusConnection>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;

namespace lumvex {

class DBusMenuExporter;
class Defaults;
class ScrollableStatusView;
class StatusNotifierItem;

// One status item in the panel, showing a ScrollableStatusView. Where a StatusNotifierWatcher runs, the
// item is a StatusNotifierItem of our own (with its menu as com.canonical.dbusmenu) on a connection of
// its own, registered with the watcher and again whenever the watcher reappears. Without a watcher
// (XEmbed trays) it is a QSystemTrayIcon with a QMenu, which needs a QApplication.
//
// Host input reaches the view: Scroll (vertical) as a raw delta by scrollRules, SecondaryActivate (middle
// click) as secondaryActivateRequested. A StatusNotifierItem's menu is the host's to show: Activate and
// ContextMenu only pass the click's position on and answer that the item has no action of its own, so
// that hosts show the exported menu (built from menuProvider whenever a host shows it). The fallback
// icon's click shows a QMenu at the icon.
class TrayItem : public QObject
{
    Q_OBJECT

public:
    struct Identity
    {
        std::string id;   // "lumvex-brightness"
        std::string name; // "Brightness"
    };

    // Pixel sizes offered to StatusNotifierItem hosts, which pick the one that fits their panel.
    static const std::vector<int> &pixmapSizes();

    // The menu comes from menuProvider, in its Option-key form or not: optionKeyDown says whether the
    // Option key is held, read when a host starts showing the menu.
    TrayItem(ScrollableStatusView &view, Identity identity, std::function<MenuEntry(bool optionKey)> menuProvider,
             std::function<bool()> optionKeyDown, Defaults &defaults, QObject *parent = nullptr);
    ~TrayItem() override;

    // Shows the menu at the place of the last activation (hosts that do not show the dbusmenu on their
    // own), or under the pointer. Needs a QApplication; without one it only counts.
    void popupMenu(const MenuEntry &menu);
    // Rebuilds the exported menu now; hosts that keep a copy are told when it changed.
    void refreshMenu();

    const Identity &identity() const { return m_identity; }
    // Shown as a StatusNotifierItem, or exported as one and waiting for a watcher (no fallback icon).
    bool usesStatusNotifier() const { return m_sni != nullptr && !m_fallback; }
    bool usesFallback() const { return m_fallback != nullptr; }
    // The item's bus name ("org.kde.StatusNotifierItem-<pid>-<n>"); empty in the fallback.
    QString serviceName() const { return m_serviceName; }
    int watcherRegistrations() const { return m_registrations; }
    int menusPresented() const { return m_menusPresented; }
    DBusMenuExporter *menuExporter() const { return m_menuExporter; }

    // What the StatusNotifierItem shows.
    QString title() const;
    QString toolTipTitle() const;
    QString toolTipDescription() const;
    QImage iconImage(int pixelSize) const;

    // Host input, from the StatusNotifierItem object.
    void hostScroll(int delta, const QString &orientation, const QString &sender);
    // Passes a click's position on; the host shows the menu.
    void hostActivate(int x, int y);
    void hostSecondaryActivate();

signals:
    // Middle click (SNI SecondaryActivate, or the fallback icon's middle button).
    void secondaryActivateRequested();
    // Where a host says the item was clicked, in desktop coordinates (y down), before the click is
    // handled; hosts that pass no position (0, 0) do not tell it.
    void activated(QPoint position);

private:
    void startStatusNotifier();
    void registerWithWatcher();
    void startFallback();
    void stopFallback();
    void scheduleUpdate();
    void publish();
    void updateFallbackIcon();
    bool eventFilter(QObject *watched, QEvent *event) override;
    // How the caller of Scroll counts its wheel: by the caller's process, else by the watcher's.
    scrollRules::HostScroll scrollHostOf(const QString &sender);
    scrollRules::HostScroll scrollHostOfService(const QString &service);
    bool invertScroll() const;

    ScrollableStatusView &m_view;
    Identity m_identity;
    std::function<MenuEntry(bool optionKey)> m_menuProvider;
    std::function<bool()> m_optionKeyDown;
    Defaults &m_defaults;

    QDBusConnection m_connection;
    QString m_connectionName;
    QString m_serviceName;
    StatusNotifierItem *m_sni = nullptr;
    DBusMenuExporter *m_menuExporter = nullptr;
    QDBusServiceWatcher *m_watcherWatcher = nullptr;
    int m_registrations = 0;

    std::unique_ptr<QSystemTrayIcon> m_fallback;
    QPointer<QMenu> m_openMenu;
    std::optional<QPoint> m_lastActivation;
    int m_menusPresented = 0;

    bool m_updateScheduled = false;
    QString m_publishedTitle;
    QString m_publishedToolTip;
    QImage m_publishedIcon;
    QHash<QString, scrollRules::HostScroll> m_scrollHosts;
};

} // namespace lumvex
