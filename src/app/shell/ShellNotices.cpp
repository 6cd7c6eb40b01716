// SPDX-License-Identifier: MIT
#include "ShellNotices.h"

namespace lumvex::notices {

namespace {

constexpr const char *kMeanwhile =
    "Meanwhile \"lumvex ctl\" controls it from a terminal or a key binding: lumvex ctl up, lumvex ctl down, "
    "lumvex ctl auto on, lumvex ctl status.";

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
        return "On GNOME, install the package gnome-shell-extension-appindicator and switch on \"AppIndicator and "
               "KStatusNotifierItem Support\" in the Extensions app, then log out and in again.";
    }
    if (names(desktop, "kde")) {
        return "On KDE Plasma, add the System Tray widget to a panel.";
    }
    if (names(desktop, "xfce")) {
        return "On Xfce, add the Status Tray Plugin to a panel.";
    }
    if (names(desktop, "sway") || names(desktop, "hyprland") || names(desktop, "river") || names(desktop, "wlroots")) {
        return "Add a bar with a tray to your compositor's configuration, such as waybar with its \"tray\" module.";
    }
    return "Install or enable a panel with a system tray (StatusNotifierItem or XEmbed).";
}

Notice noTray(const std::string &desktop)
{
    return {QStringLiteral("Lumvex is running, but this desktop shows no tray icons"),
            QString::fromStdString(trayHint(desktop) + " " + kMeanwhile),
            {},
            {}};
}

Notice alreadyRunning(bool trayShown, const std::string &desktop)
{
    const std::string where = trayShown ? "Its brightness and volume icons are in the panel's tray: scroll on the "
                                          "brightness icon to change the brightness, click it for the menu."
                                        : "This desktop shows no tray icons. " + trayHint(desktop) + " " + kMeanwhile;
    return {QStringLiteral("Lumvex is already running"), QString::fromStdString(where), {}, {}};
}

Notice introduction()
{
    return {QStringLiteral("Lumvex is in the tray"),
            QStringLiteral("Scroll on its brightness icon to change the brightness. Switch on \"Automatic "
                           "Brightness\" in its menu to let it follow what the screen shows. Every change you make "
                           "is learned for the situation you made it in (screen content, ambient light, time of day) "
                           "and applied when that situation comes back."),
            {},
            {}};
}

} // namespace lumvex::notices
