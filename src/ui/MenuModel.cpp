// SPDX-License-Identifier: MIT
#include "MenuModel.h"

namespace lumvex {

MenuEntry MenuEntry::separator(int id)
{
    MenuEntry entry;
    entry.id = id;
    entry.kind = Kind::separator;
    return entry;
}

MenuEntry MenuEntry::status(int id, std::string label)
{
    MenuEntry entry;
    entry.id = id;
    entry.label = std::move(label);
    entry.enabled = false;
    return entry;
}

MenuEntry MenuEntry::item(int id, std::string label, std::function<void()> action)
{
    MenuEntry entry;
    entry.id = id;
    entry.label = std::move(label);
    entry.action = std::move(action);
    return entry;
}

MenuEntry MenuEntry::check(int id, std::string label, bool checked, std::function<void()> action)
{
    MenuEntry entry = item(id, std::move(label), std::move(action));
    entry.checkable = true;
    entry.checked = checked;
    return entry;
}

MenuEntry MenuEntry::submenu(int id, std::string label, std::vector<MenuEntry> children)
{
    MenuEntry entry;
    entry.id = id;
    entry.kind = Kind::submenu;
    entry.label = std::move(label);
    entry.children = std::move(children);
    return entry;
}

const MenuEntry *MenuEntry::find(int wanted) const
{
    if (id == wanted) {
        return this;
    }
    for (const MenuEntry &child : children) {
        if (const MenuEntry *found = child.find(wanted)) {
            return found;
        }
    }
    return nullptr;
}

bool MenuEntry::sameContent(const MenuEntry &other) const
{
    if (id != other.id || kind != other.kind || label != other.label || enabled != other.enabled ||
        visible != other.visible || checkable != other.checkable || checked != other.checked ||
        toolTip != other.toolTip || shortcut != other.shortcut || children.size() != other.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (!children[i].sameContent(other.children[i])) {
            return false;
        }
    }
    return true;
}

} // namespace lumvex
