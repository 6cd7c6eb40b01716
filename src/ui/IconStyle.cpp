#include "IconStyle.h"

#include "engine/Defaults.h"

namespace lumvex::iconStyle {

std::string rawValue(IconStyle style)
{
    return style == IconStyle::curtain ? "curtain" : "pie";
}

std::string displayName(IconStyle style)
{
    return style == IconStyle::curtain ? "Curtain" : "Pie";
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
    const std::optional<std::string> stored = defaults.stringValue(std::string(kDefaultsKey));
    return stored && *stored == "curtain" ? IconStyle::curtain : IconStyle::pie;
}

void setCurrent(Defaults &defaults, IconStyle style)
{
    defaults.setString(std::string(kDefaultsKey), rawValue(style));
}

} // namespace lumvex::iconStyle
