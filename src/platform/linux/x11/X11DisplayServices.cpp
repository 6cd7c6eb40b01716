// SPDX-License-Identifier: MIT
#include "X11DisplayServices.h"

#include <algorithm>
#include <string_view>

namespace lumvex {

namespace {

constexpr std::string_view kConnectorType = "ConnectorType";

} // namespace

X11DisplayServices::X11DisplayServices()
{
    const xcb_query_extension_reply_t *randr = m_x.extension(xcb_randr_id);
    if (randr == nullptr || m_x.root() == XCB_WINDOW_NONE) {
        return;
    }
    const auto version = m_x.reply(xcb_randr_query_version_reply, xcb_randr_query_version(m_x.get(), 1, 6));
    if (!version || (version->major_version == 1 && version->minor_version < 5)) {
        return;
    }
    m_hasMonitors = true;
    m_randrEventBase = randr->first_event;
    // Made if missing, so that a connector type set later is still seen.
    const auto atom =
        m_x.reply(xcb_intern_atom_reply, xcb_intern_atom(m_x.get(), 0, kConnectorType.size(), kConnectorType.data()));
    if (atom) {
        m_connectorTypeAtom = atom->atom;
    }
    m_x.setEventHandler([this](const xcb_generic_event_t &event) { handleEvent(event); });
    xcb_randr_select_input(m_x.get(), m_x.root(),
                           XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                               XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE | XCB_RANDR_NOTIFY_MASK_OUTPUT_PROPERTY |
                               XCB_RANDR_NOTIFY_MASK_RESOURCE_CHANGE);
    // The server announces monitors defined or deleted by clients only this way.
    const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_x.get(), m_x.root(), XCB_CW_EVENT_MASK, &structure);
    xcb_flush(m_x.get());
}

bool X11DisplayServices::isConnected() const
{
    return m_hasMonitors && m_x.isOpen();
}

DisplayId X11DisplayServices::mainDisplay()
{
    ensureCurrent();
    return m_monitors.empty() ? 0 : m_monitors.front().id;
}

bool X11DisplayServices::isBuiltIn(DisplayId id)
{
    if (id == 0) {
        return false;
    }
    ensureCurrent();
    if (const Monitor *monitor = find(id)) {
        return monitor->builtIn;
    }
    // A display that has just gone is still known by its name.
    return isConnected() && isBuiltInMonitorName(atomName(id));
}

std::optional<std::vector<DisplayId>> X11DisplayServices::onlineDisplays()
{
    m_x.dispatchEvents();
    if (!refresh()) {
        return std::nullopt;
    }
    std::vector<DisplayId> ids;
    for (const Monitor &monitor : m_monitors) {
        ids.push_back(monitor.id);
    }
    return ids;
}

std::vector<Screen> X11DisplayServices::screens()
{
    ensureCurrent();
    std::vector<Screen> result;
    for (const Monitor &monitor : m_monitors) {
        result.push_back({monitor.id, desktopFrame(monitor.geometry, m_rootHeight)});
    }
    return result;
}

std::optional<Point> X11DisplayServices::pointerLocation()
{
    ensureCurrent();
    if (!isConnected()) {
        return std::nullopt;
    }
    if (m_pointerWatched && m_pointer) {
        return m_pointer;
    }
    const auto pointer = m_x.reply(xcb_query_pointer_reply, xcb_query_pointer(m_x.get(), m_x.root()));
    if (!pointer || pointer->same_screen == 0) {
        return std::nullopt;
    }
    const Point location = desktopPoint(pointer->root_x, pointer->root_y, m_rootHeight);
    if (m_pointerWatched) {
        m_pointer = location;
    }
    return location;
}

void X11DisplayServices::setPointerWatched(bool watched)
{
    m_pointerWatched = watched;
    m_pointer.reset();
}

std::optional<std::string> X11DisplayServices::outputName(DisplayId id)
{
    ensureCurrent();
    const Monitor *monitor = find(id);
    if (monitor == nullptr) {
        return std::nullopt;
    }
    for (const xcb_randr_output_t output : monitor->outputs) {
        const auto info =
            m_x.reply(xcb_randr_get_output_info_reply, xcb_randr_get_output_info(m_x.get(), output, XCB_CURRENT_TIME));
        if (info) {
            return std::string(reinterpret_cast<const char *>(xcb_randr_get_output_info_name(info.get())),
                               xcb_randr_get_output_info_name_length(info.get()));
        }
    }
    // A monitor defined without outputs goes by its own name.
    std::string name = atomName(id);
    return name.empty() ? std::nullopt : std::optional(std::move(name));
}

std::optional<MonitorGeometry> X11DisplayServices::rootGeometry(DisplayId id)
{
    ensureCurrent();
    const Monitor *monitor = find(id);
    return monitor == nullptr ? std::nullopt : std::optional(monitor->geometry);
}

void X11DisplayServices::handleEvent(const xcb_generic_event_t &event)
{
    const int type = event.response_type & 0x7f;
    if (type == m_randrEventBase + XCB_RANDR_SCREEN_CHANGE_NOTIFY || type == m_randrEventBase + XCB_RANDR_NOTIFY ||
        type == XCB_CONFIGURE_NOTIFY) {
        m_outOfDate = true;
        m_panelOutputs.clear();
        // Desktop coordinates count from the root's bottom edge.
        m_pointer.reset();
    }
}

void X11DisplayServices::ensureCurrent()
{
    m_x.dispatchEvents();
    if (m_outOfDate) {
        refresh();
    }
}

bool X11DisplayServices::refresh()
{
    m_outOfDate = false;
    if (!isConnected()) {
        m_monitors.clear();
        return false;
    }
    const auto monitorsCookie = xcb_randr_get_monitors(m_x.get(), m_x.root(), 1);
    const auto geometryCookie = xcb_get_geometry(m_x.get(), m_x.root());
    const auto reply = m_x.reply(xcb_randr_get_monitors_reply, monitorsCookie);
    const auto geometry = m_x.reply(xcb_get_geometry_reply, geometryCookie);
    if (!reply || !geometry) {
        m_monitors.clear();
        m_outOfDate = true;
        return false;
    }

    std::vector<Monitor> monitors;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        const xcb_randr_monitor_info_t &info = *it.data;
        Monitor monitor;
        monitor.id = info.name;
        monitor.geometry = {info.x, info.y, info.width, info.height, info.primary != 0};
        const xcb_randr_output_t *outputs = xcb_randr_monitor_info_outputs(it.data);
        monitor.outputs.assign(outputs, outputs + xcb_randr_monitor_info_outputs_length(it.data));
        monitors.push_back(std::move(monitor));
    }

    std::vector<xcb_atom_t> names;
    for (const Monitor &monitor : monitors) {
        names.push_back(monitor.id);
    }
    learnAtomNames(names);
    for (Monitor &monitor : monitors) {
        monitor.builtIn = isBuiltInMonitorName(atomName(monitor.id)) || hasPanelOutput(monitor.outputs);
    }

    std::vector<MonitorGeometry> geometries;
    for (const Monitor &monitor : monitors) {
        geometries.push_back(monitor.geometry);
    }
    if (const std::optional<std::size_t> main = mainMonitorIndex(geometries)) {
        const auto first = monitors.begin();
        std::rotate(first, first + static_cast<std::ptrdiff_t>(*main), first + static_cast<std::ptrdiff_t>(*main) + 1);
    }
    m_monitors = std::move(monitors);
    if (m_rootHeight != geometry->height) {
        m_pointer.reset();
    }
    m_rootHeight = geometry->height;
    // Notifications read while waiting may describe a change newer than these replies.
    m_x.dispatchEvents();
    return true;
}

bool X11DisplayServices::hasPanelOutput(const std::vector<xcb_randr_output_t> &outputs)
{
    if (m_connectorTypeAtom == XCB_ATOM_NONE) {
        return false;
    }
    std::vector<std::pair<xcb_randr_output_t, xcb_randr_get_output_property_cookie_t>> pending;
    for (const xcb_randr_output_t output : outputs) {
        if (!m_panelOutputs.contains(output)) {
            pending.emplace_back(output, xcb_randr_get_output_property(m_x.get(), output, m_connectorTypeAtom,
                                                                       XCB_ATOM_ATOM, 0, 1, 0, 0));
        }
    }
    std::vector<std::pair<xcb_randr_output_t, xcb_atom_t>> types;
    for (const auto &[output, cookie] : pending) {
        const auto property = m_x.reply(xcb_randr_get_output_property_reply, cookie);
        xcb_atom_t type = XCB_ATOM_NONE;
        if (property && property->type == XCB_ATOM_ATOM && property->format == 32 && property->num_items >= 1) {
            type = *reinterpret_cast<const xcb_atom_t *>(xcb_randr_get_output_property_data(property.get()));
        }
        types.emplace_back(output, type);
    }
    std::vector<xcb_atom_t> typeAtoms;
    for (const auto &entry : types) {
        typeAtoms.push_back(entry.second);
    }
    learnAtomNames(typeAtoms);
    for (const auto &[output, type] : types) {
        m_panelOutputs[output] = type != XCB_ATOM_NONE && atomName(type) == "Panel";
    }
    return std::ranges::any_of(outputs, [this](xcb_randr_output_t output) { return m_panelOutputs[output]; });
}

void X11DisplayServices::learnAtomNames(const std::vector<xcb_atom_t> &atoms)
{
    std::vector<std::pair<xcb_atom_t, xcb_get_atom_name_cookie_t>> pending;
    for (const xcb_atom_t atom : atoms) {
        const bool asked = std::ranges::any_of(pending, [atom](const auto &entry) { return entry.first == atom; });
        if (atom != XCB_ATOM_NONE && !asked && !m_atomNames.contains(atom)) {
            pending.emplace_back(atom, xcb_get_atom_name(m_x.get(), atom));
        }
    }
    for (const auto &[atom, cookie] : pending) {
        if (const auto name = m_x.reply(xcb_get_atom_name_reply, cookie)) {
            m_atomNames.emplace(atom, std::string(xcb_get_atom_name_name(name.get()),
                                                  static_cast<std::size_t>(xcb_get_atom_name_name_length(name.get()))));
        }
    }
}

std::string X11DisplayServices::atomName(xcb_atom_t atom)
{
    learnAtomNames({atom});
    const auto found = m_atomNames.find(atom);
    return found == m_atomNames.end() ? std::string() : found->second;
}

const X11DisplayServices::Monitor *X11DisplayServices::find(DisplayId id) const
{
    const auto found = std::ranges::find(m_monitors, id, &Monitor::id);
    return found == m_monitors.end() ? nullptr : &*found;
}

} // namespace lumvex
