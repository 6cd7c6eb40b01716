// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include <optional>
#include <string>
#include <string_view>

namespace lumvex {

class Defaults;

// Panels do not tint the pixmaps of status items, so the colour of the icons (the platform's label
// colour) is ours to choose. The setting "iconColor" takes "light", "dark" or "#rrggbb"; without it the
// desktop's colour scheme decides, as far as Qt knows it, and light icons (for dark panels) are the default.
namespace iconColor {

inline const QColor kLight = QColor(0xf2, 0xf2, 0xf2);
inline const QColor kDark = QColor(0x20, 0x20, 0x20);

// "light", "dark" (any case) or a #rrggbb colour; nothing for anything else.
std::optional<QColor> parseSetting(std::string_view text);

// The colour for a setting and the desktop's window colour (nothing when the desktop does not say):
// a valid setting wins; then a light window colour means light panels and dark icons; else light icons.
QColor choose(const std::optional<std::string> &setting, const std::optional<QColor> &desktopWindowColor);

// The desktop's window colour when Qt has it from a platform theme, nothing when it is Qt's built-in
// default (which says nothing about the desktop).
std::optional<QColor> desktopWindowColor();

// choose() with the stored setting and the desktop's window colour.
QColor current(const Defaults &defaults);

} // namespace iconColor
} // namespace lumvex
