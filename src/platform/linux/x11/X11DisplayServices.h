// SPDX-License-Identifier: MIT
#pragma once

#include "MonitorRules.h"
#include "XcbConnection.h"
#include "sensing/DisplayServices.h"

#include <xcb/randr.h>

#include <unordered_map>

namespace lumvex {

// The displays of an X11 desktop: its RandR 1.5 monitors, named by their name atoms. Answers come from
// a copy of the monitor list that RandR's notifications (outputs plugged, modes set, screen resized)
// mark out of date at once; monitors that a client defines or deletes bring only the root window's
// ConfigureNotify, which does the same. onlineDisplays() always asks the server afresh.
class X11DisplayServices final : public DisplayServices
{
public:
    X11DisplayServices();

    // Whether an X server with RandR monitors answers; otherwise every answer is neutral.
    bool isConnected() const;

    DisplayId mainDisplay() override;
    bool isBuiltIn(DisplayId id) override;
    std::optional<std::vector<DisplayId>> onlineDisplays() override;
    std::vector<Screen> screens() override;
    std::optional<Point> pointerLocation() override;
    std::optional<std::string> outputName(DisplayId id) override;

    // The display's rectangle on the root window, y growing downwards, as capture needs it.
    std::optional<MonitorGeometry> rootGeometry(DisplayId id);

    // Where a pointer watch reports every movement, the pointer stays where it was last read until the
    // watch says it moved (no round trip to the server on every poll).
    void setPointerWatched(bool watched);
    void pointerMoved() { m_pointer.reset(); }

private:
    struct Monitor
    {
        DisplayId id = 0;
        MonitorGeometry geometry;
        std::vector<xcb_randr_output_t> outputs;
        bool builtIn = false;
    };

    void handleEvent(const xcb_generic_event_t &event);
    // Renews the copy when it is out of date.
    void ensureCurrent();
    // Reads the monitor list from the server; on failure the copy is emptied.
    bool refresh();
    bool hasPanelOutput(const std::vector<xcb_randr_output_t> &outputs);
    // Names of atoms, looked up together and remembered: an atom's name never changes.
    void learnAtomNames(const std::vector<xcb_atom_t> &atoms);
    std::string atomName(xcb_atom_t atom);
    const Monitor *find(DisplayId id) const;

    XcbConnection m_x;
    bool m_hasMonitors = false;
    std::uint8_t m_randrEventBase = 0;
    xcb_atom_t m_connectorTypeAtom = XCB_ATOM_NONE;

    std::vector<Monitor> m_monitors; // the main one first
    int m_rootHeight = 0;
    bool m_outOfDate = true;
    std::unordered_map<xcb_randr_output_t, bool> m_panelOutputs;
    std::unordered_map<xcb_atom_t, std::string> m_atomNames;
    bool m_pointerWatched = false;
    std::optional<Point> m_pointer;
};

} // namespace lumvex
