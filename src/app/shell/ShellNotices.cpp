// SPDX-License-Identifier: MIT
#include "ShellNotices.h"

#include <QCoreApplication>

namespace lumvex::notices {

namespace {

std::string text(const char *source)
{
    return QCoreApplication::translate("Notices", source).toStdString();
}

constexpr const char *kMeanwhile = QT_TRANSLATE_NOOP(
    "Notices", "Meanwhile \"lumvex ctl\" controls it from a terminal or a key binding: lumvex ctl up, lumvex ctl down, "
               "lumvex ctl auto on, lumvex ctl status.");

bool names(const std::string &desktop, const char *part)
{
    // XDG_CURRENT_DESKTOP is a colon-separated list such as "ubuntu:GNOME"; case differs between desktops.
    std::string lower;
    for (const char c : desktop) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return lower.find(part) != std::string::npos;
}

} // namespace

std::string trayHint(const std::string &desktop)
{
    if (names(desktop, "gnome") || names(desktop, "unity")) {
        return text(QT_TRANSLATE_NOOP(
            "Notices",
            "On GNOME, install the package gnome-shell-extension-appindicator and switch on \"AppIndicator and "
            "KStatusNotifierItem Support\" in the Extensions app, then log out and in again."));
    }
    if (names(desktop, "kde")) {
        return text(QT_TRANSLATE_NOOP("Notices", "On KDE Plasma, add the System Tray widget to a panel."));
    }
    if (names(desktop, "xfce")) {
        return text(QT_TRANSLATE_NOOP("Notices", "On Xfce, add the Status Tray Plugin to a panel."));
    }
    if (names(desktop, "sway") || names(desktop, "hyprland") || names(desktop, "river") || names(desktop, "wlroots")) {
        return text(QT_TRANSLATE_NOOP(
            "Notices",
            "Add a bar with a tray to your compositor's configuration, such as waybar with its \"tray\" module."));
    }
    return text(
        QT_TRANSLATE_NOOP("Notices", "Install or enable a panel with a system tray (StatusNotifierItem or XEmbed)."));
}

Notice noTray(const std::string &desktop)
{
    return {QCoreApplication::translate("Notices", "Lumvex is running, but this desktop shows no tray icons"),
            QString::fromStdString(trayHint(desktop) + " " + text(kMeanwhile)),
            {},
            {}};
}

Notice alreadyRunning(bool trayShown, const std::string &desktop)
{
    const std::string where =
        trayShown ? text(QT_TRANSLATE_NOOP("Notices", "Its brightness and volume icons are in the panel's tray: scroll "
                                                      "on the brightness icon to change the brightness, click it for "
                                                      "the menu."))
                  : text(QT_TRANSLATE_NOOP("Notices", "This desktop shows no tray icons.")) + " " + trayHint(desktop) +
                        " " + text(kMeanwhile);
    return {QCoreApplication::translate("Notices", "Lumvex is already running"), QString::fromStdString(where), {}, {}};
}

Notice introduction()
{
    return {QCoreApplication::translate("Notices", "Lumvex is in the tray"),
            QCoreApplication::translate(
                "Notices", "Scroll on its brightness icon to change the brightness. Switch on \"Automatic "
                           "Brightness\" in its menu to let it follow what the screen shows. Every change you make "
                           "is learned for the situation you made it in (screen content, ambient light, time of day) "
                           "and applied when that situation comes back."),
            {},
            {}};
}

} // namespace lumvex::notices
