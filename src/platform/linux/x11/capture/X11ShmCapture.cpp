// SPDX-License-Identifier: MIT
#include "X11ShmCapture.h"

#include "DamageWatch.h"
#include "DamagedRows.h"
#include "PixelLayout.h"
#include "ShmSegment.h"
#include "base/Translation.h"
#include "platform/linux/x11/X11DisplayServices.h"
#include "platform/linux/x11/XcbConnection.h"
#include "sensing/BusyScreenPace.h"
#include "sensing/GlanceMemory.h"

#include <sys/socket.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumvex {

namespace {

std::string displayName()
{
    const char *name = std::getenv("DISPLAY");
    return name != nullptr ? name : "";
}

const xcb_screen_t *rootScreen(const XcbConnection &x)
{
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(x.get())); it.rem > 0; xcb_screen_next(&it)) {
        if (it.data->root == x.root()) {
            return it.data;
        }
    }
    return nullptr;
}

// The root window's pixel format as the server describes it in its setup.
PixelFormat rootPixelFormat(const XcbConnection &x, const xcb_screen_t &screen)
{
    const xcb_setup_t *setup = xcb_get_setup(x.get());
    PixelFormat format;
    format.depth = screen.root_depth;
    format.mostSignificantByteFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth == screen.root_depth) {
            format.bitsPerPixel = it.data->bits_per_pixel;
        }
    }
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem > 0; xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen.root_visual) {
                format.trueColor = visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR;
                format.redMask = visuals.data->red_mask;
                format.greenMask = visuals.data->green_mask;
                format.blueMask = visuals.data->blue_mask;
            }
        }
    }
    return format;
}

// Descriptors pass only over a local socket; sending one over TCP would break the connection.
bool isLocal(const XcbConnection &x)
{
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    return getsockname(xcb_get_file_descriptor(x.get()), reinterpret_cast<sockaddr *>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

bool sameRectangle(const MonitorGeometry &a, const MonitorGeometry &b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// A pixmap on the segment's memory, laid out as the frame it holds: rectangles copied into it land in
// their places, so a drawing is read without the rest of its rows.
class FramePixmap
{
public:
    // Nothing when the server refuses.
    static std::unique_ptr<FramePixmap> create(const XcbConnection &x, const ShmSegment &segment, int width, int height,
                                               std::uint8_t depth)
    {
        auto frame = std::unique_ptr<FramePixmap>(new FramePixmap(x, segment.id(), width, height));
        const auto pixmap =
            xcb_shm_create_pixmap_checked(x.get(), frame->m_pixmap, x.root(), static_cast<std::uint16_t>(width),
                                          static_cast<std::uint16_t>(height), depth, segment.id(), 0);
        // Windows are part of what the screen shows, not holes in it; nothing asks for exposures.
        const std::uint32_t values[] = {XCB_SUBWINDOW_MODE_INCLUDE_INFERIORS, 0};
        const auto gc = xcb_create_gc_checked(x.get(), frame->m_gc, x.root(),
                                              XCB_GC_SUBWINDOW_MODE | XCB_GC_GRAPHICS_EXPOSURES, values);
        xcb_generic_error_t *pixmapError = xcb_request_check(x.get(), pixmap);
        xcb_generic_error_t *gcError = xcb_request_check(x.get(), gc);
        const bool made = pixmapError == nullptr && gcError == nullptr;
        std::free(pixmapError);
        std::free(gcError);
        return made ? std::move(frame) : nullptr;
    }
    FramePixmap(const FramePixmap &) = delete;
    FramePixmap &operator=(const FramePixmap &) = delete;
    ~FramePixmap()
    {
        if (m_x.isOpen()) {
            xcb_free_gc(m_x.get(), m_gc);
            xcb_free_pixmap(m_x.get(), m_pixmap);
        }
    }

    bool holds(const ShmSegment &segment, int width, int height) const
    {
        return m_segment == segment.id() && m_width == width && m_height == height;
    }

    // Copies the spans' rectangles of `area` into their places, all requests sent before the first
    // answer is awaited. False when any of them failed or the server is gone.
    bool copy(const MonitorGeometry &area, const std::vector<RowSpan> &spans) const
    {
        std::vector<xcb_void_cookie_t> cookies;
        for (const RowSpan &span : spans) {
            cookies.push_back(xcb_copy_area_checked(
                m_x.get(), m_x.root(), m_pixmap, m_gc, static_cast<std::int16_t>(area.x + span.left),
                static_cast<std::int16_t>(area.y + span.first), static_cast<std::int16_t>(span.left),
                static_cast<std::int16_t>(span.first), static_cast<std::uint16_t>(span.width),
                static_cast<std::uint16_t>(span.count)));
        }
        bool complete = true;
        for (const xcb_void_cookie_t cookie : cookies) {
            xcb_generic_error_t *error = xcb_request_check(m_x.get(), cookie);
            complete = complete && error == nullptr;
            std::free(error);
        }
        return complete && m_x.isOpen();
    }

private:
    FramePixmap(const XcbConnection &x, xcb_shm_seg_t segment, int width, int height)
        : m_x(x)
        , m_segment(segment)
        , m_width(width)
        , m_height(height)
        , m_pixmap(xcb_generate_id(x.get()))
        , m_gc(xcb_generate_id(x.get()))
    {}

    const XcbConnection &m_x;
    xcb_shm_seg_t m_segment;
    int m_width;
    int m_height;
    xcb_pixmap_t m_pixmap;
    xcb_gcontext_t m_gc;
};

} // namespace

// Everything that lives as long as one connection to the server.
struct X11ShmCapture::Session
{
    XcbConnection x;
    // Monitors come over a connection of their own, which follows RandR's notifications.
    std::unique_ptr<X11DisplayServices> displays;
    PixelLayout layout;
    std::uint8_t rootDepth = 0;
    std::unique_ptr<DamageWatch> damage;
    std::unique_ptr<ServerScaler> scaler;
    std::unique_ptr<ShmSegment> segment;
    // Made on the segment when the server allows it; without it, whole rows are read.
    bool sharedPixmaps = false;
    std::unique_ptr<FramePixmap> framePixmap;
    std::optional<ScreenReduction> last;
    // The full-size frame's 64x64 thumbnail: rows drawn on are squeezed into it again, not the frame.
    std::optional<AreaThumbnail> fine;
    MonitorGeometry lastArea;
    // Whether the segment holds the last frame at full size, rather than shrunk.
    bool fullFrameHeld = false;
    BusyScreenPace pace;
    // While the whole monitor keeps changing: a glance at one pixel in 16x16, on every tick, and the
    // full reads it may stand for.
    std::unique_ptr<ServerScaler> glancer;
    std::unique_ptr<ShmSegment> glanceSegment;
    GlanceMemory glances;

    std::optional<ScreenReduction> glanceAt(const MonitorGeometry &area)
    {
        const int width = glancer->scaledWidth(area);
        const int height = glancer->scaledHeight(area);
        if (width <= 0 || height <= 0) {
            return std::nullopt;
        }
        const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        if (!glanceSegment || glanceSegment->size() < bytes + 4) {
            glanceSegment.reset();
            glanceSegment = ShmSegment::attach(x.get(), bytes + 4);
        }
        if (!glanceSegment || !glancer->read(area, *glanceSegment)) {
            return std::nullopt;
        }
        return glanceOf({glanceSegment->data() + layout.offset, width, height, width * 4, layout.order});
    }

    // Copies what the spans cover of the monitor into their places in the segment, which holds the
    // monitor's frame read before. False when any part failed.
    bool readDrawn(const MonitorGeometry &area, const std::vector<RowSpan> &spans)
    {
        // Whole rows cost the server a little less read as an image than copied into a pixmap.
        std::vector<RowSpan> rows;
        std::vector<RowSpan> parts;
        for (const RowSpan &span : spans) {
            (span.width < area.width && sharedPixmaps ? parts : rows).push_back(span);
        }
        if (!parts.empty() && !(framePixmap && framePixmap->holds(*segment, area.width, area.height))) {
            framePixmap.reset();
            framePixmap = FramePixmap::create(x, *segment, area.width, area.height, rootDepth);
            sharedPixmaps = framePixmap != nullptr;
            if (!sharedPixmaps) {
                rows = spans;
                parts.clear();
            }
        }
        return (parts.empty() || framePixmap->copy(area, parts)) && (rows.empty() || readRows(area, rows));
    }

    // Copies whole rows of the monitor into their places in the segment, all requests sent before the
    // first reply is awaited. False when any of them failed: a monitor reaching past the root's edge
    // (which a copy into a pixmap would not tell), or the server gone.
    bool readRows(const MonitorGeometry &area, const std::vector<RowSpan> &rows)
    {
        const std::size_t rowBytes = static_cast<std::size_t>(area.width) * 4;
        std::vector<xcb_shm_get_image_cookie_t> cookies;
        for (const RowSpan &span : rows) {
            cookies.push_back(xcb_shm_get_image(
                x.get(), x.root(), static_cast<std::int16_t>(area.x), static_cast<std::int16_t>(area.y + span.first),
                static_cast<std::uint16_t>(area.width), static_cast<std::uint16_t>(span.count), ~0u,
                XCB_IMAGE_FORMAT_Z_PIXMAP, segment->id(), static_cast<std::uint32_t>(span.first * rowBytes)));
        }
        bool complete = true;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto image = x.reply(xcb_shm_get_image_reply, cookies[i]);
            complete = complete && image && image->depth == rootDepth &&
                       image->size >= static_cast<std::size_t>(rows[i].count) * rowBytes;
        }
        return complete;
    }
};

X11ShmCapture::X11ShmCapture(DisplayId display, Mode mode, std::optional<ServerScale> scale, Pace pace)
    : m_display(display)
    , m_mode(mode)
    , m_scale(scale)
    , m_pace(pace)
{}

X11ShmCapture::~X11ShmCapture() = default;

void X11ShmCapture::pause()
{
    m_session.reset();
    m_nextAttempt = {};
}

bool X11ShmCapture::ensureSession()
{
    if (m_session && m_session->x.isOpen()) {
        return true;
    }
    m_session.reset();
    const auto now = std::chrono::steady_clock::now();
    if (now < m_nextAttempt) {
        return false;
    }
    m_session = connect();
    if (!m_session) {
        m_nextAttempt = now + kRetryInterval;
    }
    return m_session != nullptr;
}

std::unique_ptr<X11ShmCapture::Session> X11ShmCapture::connect()
{
    auto session = std::make_unique<Session>();
    const XcbConnection &x = session->x;
    const std::string display = displayName();
    if (display.empty()) {
        m_unavailableReason = i18n::translate("Capture", "Screen capture needs an X server, and DISPLAY is not set.");
        return nullptr;
    }
    const xcb_screen_t *screen = x.isOpen() ? rootScreen(x) : nullptr;
    if (screen == nullptr) {
        m_unavailableReason =
            i18n::arg(i18n::translate("Capture", "Screen capture cannot reach the X server at DISPLAY=%1."), {display});
        return nullptr;
    }
    const auto shm = x.extension(xcb_shm_id) != nullptr
                         ? x.reply(xcb_shm_query_version_reply, xcb_shm_query_version(x.get()))
                         : nullptr;
    if (!shm || (shm->major_version == 1 && shm->minor_version < 2)) {
        m_unavailableReason =
            i18n::translate("Capture", "Screen capture needs the X server's MIT-SHM extension, version 1.2 or later.");
        return nullptr;
    }
    if (!isLocal(x)) {
        m_unavailableReason =
            i18n::arg(i18n::translate("Capture",
                                      "Screen capture needs a local X server; DISPLAY=%1 is reached over the network."),
                      {display});
        return nullptr;
    }
    const PixelFormat format = rootPixelFormat(x, *screen);
    const std::optional<PixelLayout> layout = pixelLayout(format);
    if (!layout) {
        m_unavailableReason = i18n::arg(
            i18n::translate("Capture",
                            "Screen capture reads 24-bit colour only; this screen has depth %1 at %2 bits per pixel."),
            {std::to_string(format.depth), std::to_string(format.bitsPerPixel)});
        return nullptr;
    }
    session->layout = *layout;
    session->rootDepth = screen->root_depth;
    session->sharedPixmaps = shm->shared_pixmaps != 0 && m_mode == Mode::WhenDrawn;
    session->displays = std::make_unique<X11DisplayServices>();
    if (!session->displays->isConnected()) {
        m_unavailableReason =
            i18n::translate("Capture", "Screen capture needs RandR 1.5 monitors, which this X server lacks.");
        return nullptr;
    }
    if (m_mode == Mode::WhenDrawn) {
        // Without DAMAGE every capture reads a frame.
        session->damage = DamageWatch::create(x);
        if (DamageWatch *damage = session->damage.get()) {
            session->x.setEventHandler([damage](const xcb_generic_event_t &event) { damage->handleEvent(event); });
        }
        // Without RENDER every frame is read at full size.
        if (m_scale) {
            session->scaler = ServerScaler::create(x, *screen, *m_scale);
            if (session->scaler && m_pace == Pace::GlanceWhenBusy) {
                session->glancer = ServerScaler::create(x, *screen, kGlance);
            }
        }
    }
    m_unavailableReason.reset();
    return session;
}

std::optional<ScreenReduction> X11ShmCapture::captureAndReduce()
{
    if (!ensureSession()) {
        return std::nullopt;
    }
    Session &s = *m_session;
    s.x.dispatchEvents();
    const std::optional<MonitorGeometry> area = s.displays->rootGeometry(m_display);
    if (!area || area->width <= 0 || area->height <= 0) {
        s.last.reset();
        return std::nullopt;
    }
    const bool figuresHeld = s.damage && s.last && sameRectangle(s.lastArea, *area);
    // Taken on every capture, so that no announcement is left pending.
    std::vector<RowSpan> rows = s.damage ? s.damage->takeDamage(*area) : std::vector<RowSpan>{};
    int rowsDrawn = 0;
    for (const RowSpan &span : rows) {
        rowsDrawn += span.count;
    }
    // Most of the monitor drawn on since the last look: shrunk by the server.
    // The first frame, and the first after the drawing calms down, are read whole, so a still screen
    // gets exact figures.
    const bool mostDrawnOn = figuresHeld && s.scaler && 2 * rowsDrawn > area->height &&
                             s.scaler->scaledWidth(*area) > 0 && s.scaler->scaledHeight(*area) > 0;
    s.pace.noteTick(mostDrawnOn);
    if (!s.pace.isSettled()) {
        s.glances.clear();
    }
    if (figuresHeld && rows.empty()) {
        return s.last;
    }
    std::optional<ScreenReduction> glance;
    if (mostDrawnOn && s.glancer && s.pace.isSettled()) {
        glance = s.glanceAt(*area);
        if (glance) {
            if (std::optional<ScreenReduction> figures = s.glances.recall(*glance)) {
                // What was drawn is not in the segment: the next read is whole.
                s.fullFrameHeld = false;
                s.last = std::move(figures);
                return s.last;
            }
        }
    }
    // Otherwise the segment holds the monitor's last frame: only what was drawn on since needs reading again.
    bool rowsOnly = !mostDrawnOn && figuresHeld && s.fullFrameHeld && s.fine;
    if (!mostDrawnOn && !rowsOnly) {
        rows = {{0, area->height, 0, area->width}};
    }
    s.last.reset();
    s.fullFrameHeld = false;

    const std::size_t rowBytes = static_cast<std::size_t>(area->width) * 4;
    const std::size_t frameBytes = rowBytes * static_cast<std::size_t>(area->height);
    // The slack covers a layout that starts one byte into the pixel.
    if (!s.segment || s.segment->size() < frameBytes + 4) {
        s.framePixmap.reset();
        s.segment.reset();
        s.segment = ShmSegment::attach(s.x.get(), frameBytes + 4);
        if (!s.segment) {
            m_unavailableReason =
                i18n::translate("Capture", "The X server refused to share memory for screen capture (MIT-SHM).");
            m_session.reset();
            m_nextAttempt = std::chrono::steady_clock::now() + kRetryInterval;
            return std::nullopt;
        }
    }
    ImageView frame{s.segment->data() + s.layout.offset, area->width, area->height, static_cast<int>(rowBytes),
                    s.layout.order};
    if (mostDrawnOn && s.scaler->read(*area, *s.segment)) {
        frame.width = s.scaler->scaledWidth(*area);
        frame.height = s.scaler->scaledHeight(*area);
        frame.stride = frame.width * 4;
        ++m_scaledFramesRead;
        rowsOnly = false;
        s.fine.reset();
    } else {
        if (mostDrawnOn) {
            rows = {{0, area->height, 0, area->width}};
            rowsOnly = false;
        }
        if (!(rowsOnly ? s.readDrawn(*area, rows) : s.readRows(*area, rows))) {
            return std::nullopt;
        }
        for (const RowSpan &span : rows) {
            m_rowsRead += span.count;
        }
        s.fullFrameHeld = true;
    }
    ++m_framesRead;
    if (rowsOnly) {
        for (const RowSpan &span : rows) {
            rowsOnly = rowsOnly && s.fine->refresh(frame, {span.left, span.first, span.width, span.count});
        }
        if (!rowsOnly) {
            s.fine.reset();
        }
    } else if (s.fullFrameHeld) {
        s.fine = AreaThumbnail::squeeze(frame, 64);
        rowsOnly = s.fine.has_value();
    }
    s.last = rowsOnly ? reduceThumbnail(*s.fine) : reduceScreen(frame);
    if (glance) {
        s.glances.remember(*glance, *s.last);
    }
    s.lastArea = *area;
    m_unavailableReason.reset();
    return s.last;
}

} // namespace lumvex
