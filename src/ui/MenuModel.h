// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumvex {

// One entry of a status menu, built afresh each time a host shows the menu and rendered as
// dbusmenu layout items or as a QMenu. Ids are stable per role, so that a click on an entry reaches
// the action of the same role even when the menu was rebuilt in between.
struct MenuEntry
{
    enum class Kind { standard, separator, submenu };

    int id = 0;
    Kind kind = Kind::standard;
    std::string label;
    bool enabled = true;
    bool visible = true;
    bool checkable = false;
    bool checked = false;
    std::string toolTip;
    // A single key with the platform's command modifier ("q" for Quit: Ctrl+Q), or empty.
    std::string shortcut;
    std::function<void()> action;
    std::vector<MenuEntry> children;

    static MenuEntry separator(int id);
    static MenuEntry status(int id, std::string label);
    static MenuEntry item(int id, std::string label, std::function<void()> action);
    static MenuEntry check(int id, std::string label, bool checked, std::function<void()> action);
    static MenuEntry submenu(int id, std::string label, std::vector<MenuEntry> children);

    // The entry with the id, here or below; null when there is none.
    const MenuEntry *find(int id) const;
    // Same content (ids, kinds, texts, states, structure), actions not compared.
    bool sameContent(const MenuEntry &other) const;
};

} // namespace lumvex
