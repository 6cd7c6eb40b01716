// SPDX-License-Identifier: MIT
#pragma once

#include "ui/MenuModel.h"

#include <string>
#include <vector>

namespace lumvex::test {

// A menu as lines: separators "---", check items "[x] " or "[ ] " before the label, submenu entries
// indented by two spaces per level.
inline void describeInto(const MenuEntry &menu, int depth, std::vector<std::string> &lines)
{
    const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
    for (const MenuEntry &entry : menu.children) {
        if (entry.kind == MenuEntry::Kind::separator) {
            lines.push_back(pad + "---");
            continue;
        }
        lines.push_back(pad + (entry.checkable ? (entry.checked ? "[x] " : "[ ] ") : "") + entry.label);
        describeInto(entry, depth + 1, lines);
    }
}

inline std::vector<std::string> describe(const MenuEntry &menu)
{
    std::vector<std::string> lines;
    describeInto(menu, 0, lines);
    return lines;
}

inline const MenuEntry *findByLabel(const MenuEntry &menu, const std::string &label)
{
    for (const MenuEntry &entry : menu.children) {
        if (entry.label == label) {
            return &entry;
        }
        if (const MenuEntry *found = findByLabel(entry, label)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace lumvex::test
