// SPDX-License-Identifier: MIT
#include "WaylandOutputs.h"

#include <algorithm>
#include <optional>
#include <string>

namespace lumvex {

namespace {

constexpr std::uint32_t kOutputVersion = 4;
constexpr std::uint32_t kXdgOutputManagerVersion = 3;

} // namespace

struct WaylandOutputs::Output
{
    WaylandOutputs *owner = nullptr;
    std::uint32_t globalName = 0;
    WaylandPtr<wl_output> output;
    WaylandPtr<zxdg_output_v1> xdgOutput;

    std::string name;    // wl_output's own, since version 4
    std::string xdgName; // xdg-output's, for compositors with an older wl_output
    int x = 0;           // from wl_output's geometry, when there is no xdg-output
    int y = 0;
    int modeWidth = 0;
    int modeHeight = 0;
    int scale = 1;
    bool sideways = false;
    std::optional<OutputRect> logical; // from xdg-output

    const std::string &displayName() const { return name.empty() ? xdgName : name; }

    OutputRect place() const
    {
        if (logical) {
            return *logical;
        }
        const int width = sideways ? modeHeight : modeWidth;
        const int height = sideways ? modeWidth : modeHeight;
        return {x, y, width / std::max(scale, 1), height / std::max(scale, 1)};
    }

    void changed() { ++owner->m_changes; }

    static const wl_output_listener kOutputListener;
    static const zxdg_output_v1_listener kXdgOutputListener;
};

const wl_output_listener WaylandOutputs::Output::kOutputListener = {
    .geometry =
        [](void *data, wl_output *, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char *, const char *,
           int32_t transform) {
            auto &output = *static_cast<Output *>(data);
            output.x = x;
            output.y = y;
            output.sideways = (transform & 1) != 0; // 90 and 270 degrees, flipped or not
            output.changed();
        },
    .mode =
        [](void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t) {
            auto &output = *static_cast<Output *>(data);
            if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
                output.modeWidth = width;
                output.modeHeight = height;
                output.changed();
            }
        },
    .done = [](void *, wl_output *) {},
    .scale =
        [](void *data, wl_output *, int32_t factor) {
            auto &output = *static_cast<Output *>(data);
            output.scale = factor;
            output.changed();
        },
    .name =
        [](void *data, wl_output *, const char *name) {
            auto &output = *static_cast<Output *>(data);
            output.name = name;
            output.changed();
        },
    .description = [](void *, wl_output *, const char *) {},
};

const zxdg_output_v1_listener WaylandOutputs::Output::kXdgOutputListener = {
    .logical_position =
        [](void *data, zxdg_output_v1 *, int32_t x, int32_t y) {
            auto &output = *static_cast<Output *>(data);
            OutputRect place = output.logical.value_or(OutputRect{});
            place.x = x;
            place.y = y;
            output.logical = place;
            output.changed();
        },
    .logical_size =
        [](void *data, zxdg_output_v1 *, int32_t width, int32_t height) {
            auto &output = *static_cast<Output *>(data);
            OutputRect place = output.logical.value_or(OutputRect{});
            place.width = width;
            place.height = height;
            output.logical = place;
            output.changed();
        },
    .done = [](void *, zxdg_output_v1 *) {},
    .name =
        [](void *data, zxdg_output_v1 *, const char *name) {
            auto &output = *static_cast<Output *>(data);
            output.xdgName = name;
            output.changed();
        },
    .description = [](void *, zxdg_output_v1 *, const char *) {},
};

WaylandOutputs::WaylandOutputs() = default;

WaylandOutputs::~WaylandOutputs()
{
    // Outputs before the manager that made their xdg-outputs.
    m_outputs.clear();
}

void WaylandOutputs::addOutput(wl_registry *registry, std::uint32_t globalName, std::uint32_t version)
{
    auto output = std::make_unique<Output>();
    output->owner = this;
    output->globalName = globalName;
    output->output.reset(static_cast<wl_output *>(
        wl_registry_bind(registry, globalName, &wl_output_interface, std::min(version, kOutputVersion))));
    wl_output_add_listener(output->output.get(), &Output::kOutputListener, output.get());
    watchLogicalPlace(*output);
    m_outputs.push_back(std::move(output));
    ++m_changes;
}

void WaylandOutputs::setXdgOutputManager(wl_registry *registry, std::uint32_t globalName, std::uint32_t version)
{
    if (m_xdgManager) {
        return;
    }
    m_xdgManagerName = globalName;
    m_xdgManager.reset(static_cast<zxdg_output_manager_v1 *>(wl_registry_bind(
        registry, globalName, &zxdg_output_manager_v1_interface, std::min(version, kXdgOutputManagerVersion))));
    for (const auto &output : m_outputs) {
        watchLogicalPlace(*output);
    }
}

void WaylandOutputs::watchLogicalPlace(Output &output)
{
    if (!m_xdgManager || output.xdgOutput) {
        return;
    }
    output.xdgOutput.reset(zxdg_output_manager_v1_get_xdg_output(m_xdgManager.get(), output.output.get()));
    zxdg_output_v1_add_listener(output.xdgOutput.get(), &Output::kXdgOutputListener, &output);
}

bool WaylandOutputs::removeGlobal(std::uint32_t globalName)
{
    if (m_xdgManager && globalName == m_xdgManagerName) {
        for (const auto &output : m_outputs) {
            output->xdgOutput.reset();
            output->logical.reset();
        }
        m_xdgManager.reset();
        ++m_changes;
        return true;
    }
    const auto found =
        std::ranges::find_if(m_outputs, [globalName](const auto &output) { return output->globalName == globalName; });
    if (found == m_outputs.end()) {
        return false;
    }
    m_outputs.erase(found);
    ++m_changes;
    return true;
}

std::vector<NamedOutput> WaylandOutputs::list() const
{
    std::vector<NamedOutput> result;
    for (const auto &output : m_outputs) {
        const OutputRect place = output->place();
        if (!output->displayName().empty() && place.width > 0 && place.height > 0) {
            result.push_back({output->displayName(), place});
        }
    }
    return result;
}

wl_output *WaylandOutputs::find(std::string_view name) const
{
    const auto found =
        std::ranges::find_if(m_outputs, [name](const auto &output) { return output->displayName() == name; });
    return found == m_outputs.end() ? nullptr : (*found)->output.get();
}

} // namespace lumvex
