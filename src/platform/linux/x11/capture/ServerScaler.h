// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/x11/MonitorRules.h"
#include "platform/linux/x11/XcbConnection.h"

#include <xcb/render.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumvex {

class ShmSegment;

// How the X server shrinks a frame before it is read: each side divided by `factor`.
struct ServerScale
{
    enum class Filter {
        Nearest,  // one source pixel per output pixel
        Bilinear, // the four source pixels around the block's centre
        Box,      // the mean of the whole block: halved again and again, each time by a bilinear
                  // sample between four pixels, so factors 2, 4 and 8 only
    };

    Filter filter = Filter::Box;
    int factor = 4;
    // Nearest and bilinear only: each output row samples one pixel further right than the row above, each
    // column one pixel further down than the column before, so that every phase of a pattern repeating at
    // the factor is sampled alike and no such pattern passes for another picture. A band at the right and
    // bottom edges as wide as the output's height and width is left out.
    bool staggered = false;

    friend bool operator==(const ServerScale &, const ServerScale &) = default;
};

// "nearest", "bilinear" or "box", a colon and a factor from 2 to 8 ("box:4", a power of two for box),
// shrinking always; nothing otherwise.
std::optional<ServerScale> parseServerScale(std::string_view text);

// Lets the X server shrink a rectangle of the root window (XRender: scaling transforms into small
// pixmaps of its own) and copies the result into shared memory with one request. On glamor the
// scaling runs on the GPU, and only the small image leaves video memory. (RENDER's convolution
// filter gives the box in one step, but the server computes it without any fast path: 5 to 10 times
// the cost of the plain copy on Xvfb, and glamor does not run it on the GPU.)
class ServerScaler
{
    struct Created
    {
        explicit Created() = default;
    };

public:
    // Nothing when the server lacks RENDER 0.6 or a picture format for the root's visual.
    static std::unique_ptr<ServerScaler> create(const XcbConnection &x, const xcb_screen_t &screen, ServerScale scale);
    ServerScaler(Created, const XcbConnection &x, ServerScale scale, std::uint8_t depth, xcb_render_pictformat_t format,
                 xcb_render_picture_t root, std::string_view filter);
    ~ServerScaler();
    ServerScaler(const ServerScaler &) = delete;
    ServerScaler &operator=(const ServerScaler &) = delete;

    // The size of `area` once shrunk: partial blocks at the right and bottom edges are left out.
    int scaledWidth(const MonitorGeometry &area) const
    {
        return (area.width - (m_scale.staggered ? area.height / m_scale.factor : 0)) / m_scale.factor;
    }
    int scaledHeight(const MonitorGeometry &area) const
    {
        return (area.height - (m_scale.staggered ? area.width / m_scale.factor : 0)) / m_scale.factor;
    }

    // Shrinks `area` into the start of `segment`, rows scaledWidth * 4 bytes apart. False when the
    // server refused or the area is smaller than one block.
    bool read(const MonitorGeometry &area, const ShmSegment &segment);

private:
    // One shrinking step's result, and the source of the next step.
    struct Stage
    {
        xcb_pixmap_t pixmap;
        xcb_render_picture_t picture;
    };

    // The steps' pixmaps for an area of this size, made anew when the size changed.
    bool prepareStages(int areaWidth, int areaHeight);
    void freeStages();

    const XcbConnection &m_x;
    const ServerScale m_scale;
    const std::uint8_t m_depth;
    const xcb_render_pictformat_t m_format;
    const xcb_render_picture_t m_root;
    const std::string m_filter;
    const int m_step; // the factor of one step
    std::vector<Stage> m_stages;
    std::optional<std::pair<int, int>> m_stagesFor;
    std::optional<std::pair<int, int>> m_transformOrigin;
};

} // namespace lumvex
