// SPDX-License-Identifier: MIT
#pragma once

#include "MenuModel.h"

class QMenu;
class QWidget;

namespace lumvex {

// The menu as a QMenu (the XEmbed fallback and hosts that ask us to show it): same titles, order,
// states, tool tips and actions; the quit shortcut is Ctrl+<key>. Needs a QApplication.
QMenu *buildQMenu(const MenuEntry &menu, QWidget *parent = nullptr);

} // namespace lumvex
