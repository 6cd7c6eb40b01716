// SPDX-License-Identifier: MIT
#include "DBusMenuExporter.h"

#include <QDBusMessage>
#include <QTimer>

namespace lumvex {

namespace {

// dbusmenu labels mark mnemonics with an underscore; a literal one is doubled.
QString dbusmenuLabel(const std::string &label)
{
    return QString::fromStdString(label).replace(QLatin1Char('_'), QStringLiteral("__"));
}

bool sameStructure(const MenuEntry &a, const MenuEntry &b)
{
    if (a.id != b.id || a.kind != b.kind || a.children.size() != b.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!sameStructure(a.children[i], b.children[i])) {
            return false;
        }
    }
    return true;
}

// What changed in the entries that both menus have, as ItemsPropertiesUpdated tells it. Hosts that
// keep the entries they know across a LayoutUpdated (GNOME's) learn new check and enabled states from
// nothing else.
void collectChanges(const MenuEntry &before, const MenuEntry &after, DBusMenuItemPropertiesList &updated,
                    QList<DBusMenuItemKeys> &removed)
{
    const MenuEntry *old = after.id != 0 ? before.find(after.id) : nullptr;
    if (old != nullptr && old->kind == after.kind) {
        const QVariantMap was = DBusMenuExporter::properties(*old);
        const QVariantMap now = DBusMenuExporter::properties(after);
        QVariantMap changed;
        for (auto it = now.constBegin(); it != now.constEnd(); ++it) {
            if (was.value(it.key()) != it.value()) {
                changed.insert(it.key(), it.value());
            }
        }
        QStringList gone;
        for (auto it = was.constBegin(); it != was.constEnd(); ++it) {
            if (!now.contains(it.key())) {
                gone.append(it.key());
            }
        }
        if (!changed.isEmpty()) {
            updated.append({after.id, changed});
        }
        if (!gone.isEmpty()) {
            removed.append({after.id, gone});
        }
    }
    for (const MenuEntry &child : after.children) {
        collectChanges(before, child, updated, removed);
    }
}

} // namespace

DBusMenuExporter::DBusMenuExporter(std::function<MenuEntry(bool alternate)> menuProvider,
                                   std::function<bool()> alternateProvider, QObject *parent)
    : QObject(parent)
    , m_menuProvider(std::move(menuProvider))
    , m_alternateProvider(std::move(alternateProvider))
{
    registerDBusTypes();
    m_menu = build();
}

MenuEntry DBusMenuExporter::build() const
{
    if (!m_menuProvider) {
        return {};
    }
    return m_menuProvider(m_shown ? m_heldAlternate : (m_alternateProvider && m_alternateProvider()));
}

void DBusMenuExporter::beginShowing()
{
    m_heldAlternate = m_alternateProvider && m_alternateProvider();
    m_shown = true;
}

bool DBusMenuExporter::refresh()
{
    MenuEntry fresh = build();
    if (fresh.sameContent(m_menu)) {
        m_menu = std::move(fresh);
        return false;
    }
    ++m_revision;
    const bool sameEntries = sameStructure(fresh, m_menu);
    DBusMenuItemPropertiesList updated;
    QList<DBusMenuItemKeys> removed;
    collectChanges(m_menu, fresh, updated, removed);
    m_menu = std::move(fresh);
    if (!updated.isEmpty() || !removed.isEmpty()) {
        Q_EMIT ItemsPropertiesUpdated(updated, removed);
    }
    if (!sameEntries) {
        Q_EMIT LayoutUpdated(m_revision, 0);
    }
    return true;
}

QVariantMap DBusMenuExporter::properties(const MenuEntry &entry, const QStringList &names)
{
    QVariantMap all;
    if (entry.kind == MenuEntry::Kind::separator) {
        all.insert(QStringLiteral("type"), QStringLiteral("separator"));
        all.insert(QStringLiteral("visible"), entry.visible);
    } else {
        all.insert(QStringLiteral("label"), dbusmenuLabel(entry.label));
        all.insert(QStringLiteral("enabled"), entry.enabled);
        all.insert(QStringLiteral("visible"), entry.visible);
        if (entry.checkable) {
            all.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
            all.insert(QStringLiteral("toggle-state"), entry.checked ? 1 : 0);
        }
        if (entry.kind == MenuEntry::Kind::submenu) {
            all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        }
        if (!entry.shortcut.empty()) {
            const QList<QStringList> shortcut{{QStringLiteral("Control"), QString::fromStdString(entry.shortcut)}};
            all.insert(QStringLiteral("shortcut"), QVariant::fromValue(shortcut));
        }
        if (!entry.toolTip.empty()) {
            all.insert(QStringLiteral("accessible-desc"), QString::fromStdString(entry.toolTip));
        }
    }
    if (names.isEmpty()) {
        return all;
    }
    QVariantMap chosen;
    for (const QString &name : names) {
        if (all.contains(name)) {
            chosen.insert(name, all.value(name));
        }
    }
    return chosen;
}

DBusMenuLayoutItem DBusMenuExporter::layout(const MenuEntry &entry, int depth, const QStringList &names)
{
    DBusMenuLayoutItem item;
    item.id = entry.id;
    item.properties = properties(entry, names);
    if (entry.id == 0) {
        // The root only says that it has children.
        item.properties = {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
    }
    if (depth != 0) {
        for (const MenuEntry &child : entry.children) {
            item.children.append(layout(child, depth < 0 ? -1 : depth - 1, names));
        }
    }
    return item;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                                 DBusMenuLayoutItem &result)
{
    if (parentId == 0) {
        // Hosts that asked for some properties only keep the rest from the signals.
        refresh();
    }
    const MenuEntry *parent = m_menu.find(parentId);
    if (parent == nullptr) {
        if (calledFromDBus()) {
            sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No menu item %1").arg(parentId));
        }
        return m_revision;
    }
    result = layout(*parent, recursionDepth, propertyNames);
    return m_revision;
}

QList<DBusMenuItemProperties> DBusMenuExporter::GetGroupProperties(const QList<int> &ids,
                                                                   const QStringList &propertyNames)
{
    DBusMenuItemPropertiesList result;
    for (int id : ids) {
        if (const MenuEntry *entry = m_menu.find(id)) {
            result.append({id, id == 0 ? QVariantMap{} : properties(*entry, propertyNames)});
        }
    }
    return result;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString &name)
{
    const MenuEntry *entry = m_menu.find(id);
    const QVariantMap all = entry ? properties(*entry) : QVariantMap{};
    if (!all.contains(name)) {
        if (calledFromDBus()) {
            sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No property %1 on item %2").arg(name).arg(id));
        }
        return QDBusVariant(QVariant(QString()));
    }
    return QDBusVariant(all.value(name));
}

void DBusMenuExporter::Event(int id, const QString &eventId, const QDBusVariant &, uint)
{
    if (!handleEvent(id, eventId) && calledFromDBus()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No menu item %1").arg(id));
    }
}

QList<int> DBusMenuExporter::EventGroup(const DBusMenuEventList &events)
{
    QList<int> idErrors;
    for (const DBusMenuEvent &event : events) {
        if (!handleEvent(event.id, event.eventId)) {
            idErrors.append(event.id);
        }
    }
    return idErrors;
}

bool DBusMenuExporter::handleEvent(int id, const QString &eventId)
{
    if (m_menu.find(id) == nullptr) {
        return false;
    }
    if (eventId == QLatin1String("clicked")) {
        QTimer::singleShot(0, this, [this, id] { activate(id); });
    } else if (eventId == QLatin1String("opened") && id == 0 && !m_shown) {
        // Hosts that show their copy without AboutToShow: its form is held from here.
        beginShowing();
        refresh();
    } else if (eventId == QLatin1String("closed") && id == 0) {
        m_shown = false;
    }
    return true;
}

void DBusMenuExporter::activate(int id)
{
    const MenuEntry *entry = m_menu.find(id);
    if (entry == nullptr || !entry->enabled || !entry->action) {
        return;
    }
    const std::function<void()> action = entry->action;
    action();
    refresh();
}

bool DBusMenuExporter::AboutToShow(int id)
{
    if (id == 0) {
        beginShowing();
        return refresh();
    }
    return false;
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
{
    QList<int> updatesNeeded;
    for (int id : ids) {
        if (m_menu.find(id) == nullptr) {
            idErrors.append(id);
        } else if (AboutToShow(id)) {
            updatesNeeded.append(id);
        }
    }
    return updatesNeeded;
}

} // namespace lumvex
