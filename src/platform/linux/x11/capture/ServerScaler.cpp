// SPDX-License-Identifier: MIT
#include "ServerScaler.h"

#include "ShmSegment.h"

#include <xcb/shm.h>

#include <charconv>
#include <utility>
#include <vector>

namespace lumvex {

namespace {

constexpr xcb_render_fixed_t fixed(int value)
{
    return static_cast<xcb_render_fixed_t>(value * 65536);
}

std::optional<xcb_render_pictformat_t> formatOfVisual(const xcb_render_query_pict_formats_reply_t &formats,
                                                      xcb_visualid_t visual)
{
    for (auto screens = xcb_render_query_pict_formats_screens_iterator(&formats); screens.rem > 0;
         xcb_render_pictscreen_next(&screens)) {
        for (auto depths = xcb_render_pictscreen_depths_iterator(screens.data); depths.rem > 0;
             xcb_render_pictdepth_next(&depths)) {
            for (auto visuals = xcb_render_pictdepth_visuals_iterator(depths.data); visuals.rem > 0;
                 xcb_render_pictvisual_next(&visuals)) {
                if (visuals.data->visual == visual) {
                    return visuals.data->format;
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<ServerScale> parseServerScale(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = text.substr(0, colon);
    const std::string_view digits = text.substr(colon + 1);
    ServerScale scale;
    if (name == "nearest") {
        scale.filter = ServerScale::Filter::Nearest;
    } else if (name == "bilinear") {
        scale.filter = ServerScale::Filter::Bilinear;
    } else if (name == "box") {
        scale.filter = ServerScale::Filter::Box;
    } else {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), scale.factor);
    if (error != std::errc() || end != digits.data() + digits.size() || scale.factor < 2 || scale.factor > 8 ||
        (scale.filter == ServerScale::Filter::Box && (scale.factor & (scale.factor - 1)) != 0)) {
        return std::nullopt;
    }
    return scale;
}

std::unique_ptr<ServerScaler> ServerScaler::create(const XcbConnection &x, const xcb_screen_t &screen,
                                                   ServerScale scale)
{
    if (x.extension(xcb_render_id) == nullptr) {
        return nullptr;
    }
    // Transforms and filters came with 0.6.
    const auto version = x.reply(xcb_render_query_version_reply, xcb_render_query_version(x.get(), 0, 11));
    if (!version || (version->major_version == 0 && version->minor_version < 6)) {
        return nullptr;
    }
    const auto formats = x.reply(xcb_render_query_pict_formats_reply, xcb_render_query_pict_formats(x.get()));
    const auto format = formats ? formatOfVisual(*formats, screen.root_visual) : std::nullopt;
    if (!format) {
        return nullptr;
    }
    // Windows are part of what the screen shows, not holes in it.
    const std::uint32_t includeInferiors = XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS;
    const xcb_render_picture_t root = xcb_generate_id(x.get());
    xcb_render_create_picture(x.get(), root, x.root(), *format, XCB_RENDER_CP_SUBWINDOW_MODE, &includeInferiors);
    const std::string_view filter = scale.filter == ServerScale::Filter::Nearest ? "nearest" : "bilinear";
    xcb_render_set_picture_filter(x.get(), root, static_cast<std::uint16_t>(filter.size()), filter.data(), 0, nullptr);
    return std::make_unique<ServerScaler>(Created{}, x, scale, screen.root_depth, *format, root, filter);
}

ServerScaler::ServerScaler(Created, const XcbConnection &x, ServerScale scale, std::uint8_t depth,
                           xcb_render_pictformat_t format, xcb_render_picture_t root, std::string_view filter)
    : m_x(x)
    , m_scale(scale)
    , m_depth(depth)
    , m_format(format)
    , m_root(root)
    , m_filter(filter)
    , m_step(scale.filter == ServerScale::Filter::Box ? 2 : scale.factor)
{}

ServerScaler::~ServerScaler()
{
    if (!m_x.isOpen()) {
        return;
    }
    freeStages();
    xcb_render_free_picture(m_x.get(), m_root);
    xcb_flush(m_x.get());
}

void ServerScaler::freeStages()
{
    for (const Stage &stage : m_stages) {
        xcb_render_free_picture(m_x.get(), stage.picture);
        xcb_free_pixmap(m_x.get(), stage.pixmap);
    }
    m_stages.clear();
    m_stagesFor.reset();
}

bool ServerScaler::prepareStages(int areaWidth, int areaHeight)
{
    if (m_stagesFor == std::pair(areaWidth, areaHeight)) {
        return true;
    }
    freeStages();
    // A bilinear sample halfway between pixels, at twice the distance: each output pixel is the exact
    // mean of a 2x2 block of the step before.
    const xcb_render_transform_t halving{fixed(2), 0, 0, 0, fixed(2), 0, 0, 0, fixed(1)};
    int width = areaWidth;
    int height = areaHeight;
    for (int shrunk = 1; shrunk < m_scale.factor; shrunk *= m_step) {
        width /= m_step;
        height /= m_step;
        if (width <= 0 || height <= 0) {
            freeStages();
            return false;
        }
        const Stage stage{xcb_generate_id(m_x.get()), xcb_generate_id(m_x.get())};
        xcb_create_pixmap(m_x.get(), m_depth, stage.pixmap, m_x.root(), static_cast<std::uint16_t>(width),
                          static_cast<std::uint16_t>(height));
        xcb_render_create_picture(m_x.get(), stage.picture, stage.pixmap, m_format, 0, nullptr);
        xcb_render_set_picture_filter(m_x.get(), stage.picture, static_cast<std::uint16_t>(m_filter.size()),
                                      m_filter.data(), 0, nullptr);
        xcb_render_set_picture_transform(m_x.get(), stage.picture, halving);
        m_stages.push_back(stage);
    }
    // Keyed by the area's size, which is what the next read asks with.
    m_stagesFor = std::pair(areaWidth, areaHeight);
    return true;
}

bool ServerScaler::read(const MonitorGeometry &area, const ShmSegment &segment)
{
    const int width = scaledWidth(area);
    const int height = scaledHeight(area);
    if (!prepareStages(area.width, area.height) ||
        segment.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return false;
    }
    if (m_transformOrigin != std::pair(area.x, area.y)) {
        // Output pixel (i, j) of the first step stands for the block at (area.x + step i, area.y + step j).
        const xcb_render_fixed_t step = fixed(m_step);
        const xcb_render_fixed_t shear = m_scale.staggered ? fixed(1) : 0;
        const xcb_render_transform_t transform{step, shear, fixed(area.x), shear, step, fixed(area.y), 0, 0, fixed(1)};
        xcb_render_set_picture_transform(m_x.get(), m_root, transform);
        m_transformOrigin = std::pair(area.x, area.y);
    }
    int stageWidth = area.width;
    int stageHeight = area.height;
    xcb_render_picture_t source = m_root;
    for (const Stage &stage : m_stages) {
        stageWidth /= m_step;
        stageHeight /= m_step;
        xcb_render_composite(m_x.get(), XCB_RENDER_PICT_OP_SRC, source, XCB_NONE, stage.picture, 0, 0, 0, 0, 0, 0,
                             static_cast<std::uint16_t>(stageWidth), static_cast<std::uint16_t>(stageHeight));
        source = stage.picture;
    }
    const auto image = m_x.reply(
        xcb_shm_get_image_reply,
        xcb_shm_get_image(m_x.get(), m_stages.back().pixmap, 0, 0, static_cast<std::uint16_t>(width),
                          static_cast<std::uint16_t>(height), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP, segment.id(), 0));
    return image && image->depth == m_depth &&
           image->size >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

} // namespace lumvex
