// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/DisplayServices.h"

#include <algorithm>
#include <set>

namespace lumvex {

// Displays and a pointer held in memory, changed at will. Stands in for the desktop in tests and the
// simulation.
class FakeDisplayServices final : public DisplayServices
{
public:
    // Adds a display after the others; the first one plugged becomes the main display.
    void plug(DisplayId id, Rect frame, bool builtIn = false, std::string name = {})
    {
        unplug(id);
        m_displays.push_back({{id, frame}, std::move(name)});
        if (builtIn) {
            m_builtIn.insert(id);
        }
        if (m_main == 0) {
            m_main = id;
        }
    }

    // Takes a display away; when it was the main one, the next display takes over. A display stays
    // built in after it is gone, as a panel does.
    void unplug(DisplayId id)
    {
        std::erase_if(m_displays, [id](const Display &display) { return display.screen.id == id; });
        if (m_main == id) {
            m_main = m_displays.empty() ? 0 : m_displays.front().screen.id;
        }
    }

    void setMainDisplay(DisplayId id) { m_main = id; }
    void setPointer(std::optional<Point> location) { m_pointer = location; }
    void setOnlineQueryFails(bool fails) { m_onlineQueryFails = fails; }

    DisplayId mainDisplay() override { return m_main; }
    bool isBuiltIn(DisplayId id) override { return m_builtIn.contains(id); }

    std::optional<std::vector<DisplayId>> onlineDisplays() override
    {
        if (m_onlineQueryFails) {
            return std::nullopt;
        }
        std::vector<DisplayId> ids;
        for (const Screen &screen : screens()) {
            ids.push_back(screen.id);
        }
        return ids;
    }

    std::vector<Screen> screens() override
    {
        std::vector<Screen> result;
        for (const Display &display : m_displays) {
            result.push_back(display.screen);
        }
        std::stable_partition(result.begin(), result.end(), [this](const Screen &s) { return s.id == m_main; });
        return result;
    }

    std::optional<Point> pointerLocation() override { return m_pointer; }

    std::optional<std::string> outputName(DisplayId id) override
    {
        const auto found = std::find_if(m_displays.begin(), m_displays.end(),
                                        [id](const Display &display) { return display.screen.id == id; });
        if (found == m_displays.end() || found->name.empty()) {
            return std::nullopt;
        }
        return found->name;
    }

private:
    struct Display
    {
        Screen screen;
        std::string name;
    };

    std::vector<Display> m_displays;
    std::set<DisplayId> m_builtIn;
    DisplayId m_main = 0;
    std::optional<Point> m_pointer;
    bool m_onlineQueryFails = false;
};

} // namespace lumvex
