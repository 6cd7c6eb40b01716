// SPDX-License-Identifier: MIT
#include "QMenuBuilder.h"

#include <QKeySequence>
#include <QMenu>

namespace lumvex {

namespace {

void fill(QMenu &menu, const MenuEntry &entry)
{
    menu.setToolTipsVisible(true);
    for (const MenuEntry &child : entry.children) {
        if (!child.visible) {
            continue;
        }
        // Labels are plain text; an ampersand would become a mnemonic.
        const QString label = QString::fromStdString(child.label).replace(QLatin1Char('&'), QStringLiteral("&&"));
        switch (child.kind) {
        case MenuEntry::Kind::separator:
            menu.addSeparator();
            break;
        case MenuEntry::Kind::submenu: {
            QMenu *submenu = menu.addMenu(label);
            submenu->setEnabled(child.enabled);
            fill(*submenu, child);
            break;
        }
        case MenuEntry::Kind::standard: {
            QAction *action = menu.addAction(label);
            action->setEnabled(child.enabled);
            action->setCheckable(child.checkable);
            action->setChecked(child.checked);
            if (!child.toolTip.empty()) {
                action->setToolTip(QString::fromStdString(child.toolTip));
            }
            if (!child.shortcut.empty()) {
                action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QString::fromStdString(child.shortcut)));
            }
            if (child.action) {
                const std::function<void()> run = child.action;
                QObject::connect(action, &QAction::triggered, &menu, [run] { run(); });
            }
            break;
        }
        }
    }
}

} // namespace

QMenu *buildQMenu(const MenuEntry &menu, QWidget *parent)
{
    auto *result = new QMenu(parent);
    fill(*result, menu);
    return result;
}

} // namespace lumvex
