// SPDX-License-Identifier: MIT
#include "IconColor.h"

#include "engine/Defaults.h"
#include "engine/Settings.h"

#include <QGuiApplication>
#include <QPalette>

namespace lumvex::iconColor {

std::optional<QColor> parseSetting(std::string_view text)
{
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed().toLower();
    if (value == QLatin1String("light")) {
        return kLight;
    }
    if (value == QLatin1String("dark")) {
        return kDark;
    }
    if (value.size() == 7 && value.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint rgb = value.mid(1).toUInt(&ok, 16);
        if (ok) {
            return QColor::fromRgb(static_cast<QRgb>(rgb));
        }
    }
    return std::nullopt;
}

QColor choose(const std::optional<std::string> &setting, const std::optional<QColor> &desktopWindowColor)
{
    if (setting) {
        if (const std::optional<QColor> chosen = parseSetting(*setting)) {
            return *chosen;
        }
    }
    if (desktopWindowColor && desktopWindowColor->lightnessF() > 0.5) {
        return kDark;
    }
    return kLight;
}

std::optional<QColor> desktopWindowColor()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) {
        return std::nullopt;
    }
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    // Qt's own palette (Fusion's #efefef) is what an application gets when no desktop theme speaks.
    if (window == QColor(0xef, 0xef, 0xef)) {
        return std::nullopt;
    }
    return window;
}

QColor current(const Defaults &defaults)
{
    return choose(settings::value(defaults, settings::iconColor), desktopWindowColor());
}

} // namespace lumvex::iconColor
