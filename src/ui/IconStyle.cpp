// SPDX-License-Identifier: MIT
#include "IconStyle.h"

#include <QCoreApplication>

#include "engine/Defaults.h"
#include "engine/Settings.h"

namespace lumvex::iconStyle {

std::string rawValue(IconStyle style)
{
    return style == IconStyle::curtain ? "curtain" : "pie";
}

std::string displayName(IconStyle style)
{
    return (style == IconStyle::curtain ? QCoreApplication::translate("StatusMenu", "Curtain")
                                        : QCoreApplication::translate("StatusMenu", "Pie"))
        .toStdString();
}

std::optional<IconStyle> fromRawValue(std::string_view raw)
{
    if (raw == "pie") {
        return IconStyle::pie;
    }
    if (raw == "curtain") {
        return IconStyle::curtain;
    }
    return std::nullopt;
}

IconStyle current(const Defaults &defaults)
{
    const std::optional<std::string> stored = settings::value(defaults, settings::iconStyle);
    return stored && *stored == "curtain" ? IconStyle::curtain : IconStyle::pie;
}

void setCurrent(Defaults &defaults, IconStyle style)
{
    settings::set(defaults, settings::iconStyle, rawValue(style));
}

} // namespace lumvex::iconStyle
