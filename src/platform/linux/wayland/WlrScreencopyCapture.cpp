// SPDX-License-Identifier: MIT
#include "WlrScreencopyCapture.h"

#include "FrameImage.h"
#include "ShmBuffer.h"
#include "WaylandConnection.h"
#include "base/Translation.h"
#include "sensing/BusyScreenPace.h"
#include "sensing/GlanceMemory.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace lumvex {

namespace {

std::string hexFormat(std::uint32_t format)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08x", format);
    return text;
}

} // namespace

// One copy of the output, from the compositor's description of the buffer it wants to the frame's
// arrival in the session's buffer.
struct WlrScreencopyCapture::Frame
{
    enum class State { Describing, Copying, Ready, Failed };

    explicit Frame(Session &session)
        : session(session)
    {}

    // Answers the description with a buffer of that shape, made anew only when the shape changed.
    void startCopy();

    Session &session;
    WaylandPtr<zwlr_screencopy_frame_v1> proxy;
    bool withDamage = false;
    std::optional<ShmBuffer::Shape> offered;
    bool yInverted = false;
    State state = State::Describing;
    // The area the compositor says was drawn on, overlaps counted twice.
    std::uint64_t drawnPixels = 0;

    bool settled() const { return state == State::Ready || state == State::Failed; }
    bool mostDrawnOn() const
    {
        return offered && 2 * drawnPixels > static_cast<std::uint64_t>(offered->width) * offered->height;
    }

    static const zwlr_screencopy_frame_v1_listener kListener;
};

// Everything that lives as long as one connection to the compositor.
struct WlrScreencopyCapture::Session
{
    std::unique_ptr<WaylandConnection> connection;
    std::unique_ptr<ShmBuffer> buffer;
    std::unique_ptr<Frame> frame;
    // The figures of the latest frame; given again while the output is not drawn on.
    std::optional<ScreenReduction> last;
    std::uint64_t outputChanges = 0;
    std::optional<std::uint32_t> unreadableFormat;
    std::vector<std::uint8_t> scratch;
    BusyScreenPace pace;
    // While the whole output keeps changing, one pixel in 16x16 of each copy says whether it needs reducing.
    GlanceMemory glances;

    void forgetFrames()
    {
        frame.reset();
        last.reset();
        glances.clear();
    }

    void startFrame(wl_output *output, bool withDamage)
    {
        zwlr_screencopy_manager_v1 *manager = connection->screencopy();
        frame = std::make_unique<Frame>(*this);
        frame->withDamage = withDamage && zwlr_screencopy_manager_v1_get_version(manager) >=
                                              ZWLR_SCREENCOPY_FRAME_V1_COPY_WITH_DAMAGE_SINCE_VERSION;
        // Without the pointer: it is not part of what the user looks at for brightness.
        frame->proxy.reset(zwlr_screencopy_manager_v1_capture_output(manager, 0, output));
        zwlr_screencopy_frame_v1_add_listener(frame->proxy.get(), &Frame::kListener, frame.get());
    }
};

const zwlr_screencopy_frame_v1_listener WlrScreencopyCapture::Frame::kListener = {
    .buffer =
        [](void *data, zwlr_screencopy_frame_v1 *proxy, uint32_t format, uint32_t width, uint32_t height,
           uint32_t stride) {
            auto &frame = *static_cast<Frame *>(data);
            frame.offered =
                ShmBuffer::Shape{format, static_cast<int>(width), static_cast<int>(height), static_cast<int>(stride)};
            // Before version 3 no buffer_done follows: this is the whole description.
            if (zwlr_screencopy_frame_v1_get_version(proxy) < ZWLR_SCREENCOPY_FRAME_V1_BUFFER_DONE_SINCE_VERSION) {
                frame.startCopy();
            }
        },
    .flags =
        [](void *data, zwlr_screencopy_frame_v1 *, uint32_t flags) {
            static_cast<Frame *>(data)->yInverted = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
        },
    .ready = [](void *data, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t,
                uint32_t) { static_cast<Frame *>(data)->state = State::Ready; },
    .failed = [](void *data, zwlr_screencopy_frame_v1 *) { static_cast<Frame *>(data)->state = State::Failed; },
    // The whole frame is reduced again, whatever part changed; how much did sets the pace.
    .damage =
        [](void *data, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t width, uint32_t height) {
            static_cast<Frame *>(data)->drawnPixels += static_cast<std::uint64_t>(width) * height;
        },
    // A GPU buffer would have to be read back through the CPU anyway; shared memory is that already.
    .linux_dmabuf = [](void *, zwlr_screencopy_frame_v1 *, uint32_t, uint32_t, uint32_t) {},
    .buffer_done = [](void *data, zwlr_screencopy_frame_v1 *) { static_cast<Frame *>(data)->startCopy(); },
};

void WlrScreencopyCapture::Frame::startCopy()
{
    if (state != State::Describing) {
        return;
    }
    if (!offered || !shmPixelOrder(offered->format)) {
        if (offered) {
            session.unreadableFormat = offered->format;
        }
        state = State::Failed;
        return;
    }
    session.unreadableFormat.reset();
    if (!session.buffer || session.buffer->shape() != *offered) {
        session.buffer.reset();
        session.buffer = ShmBuffer::create(session.connection->shm(), *offered);
    }
    if (!session.buffer) {
        state = State::Failed;
        return;
    }
    if (withDamage) {
        zwlr_screencopy_frame_v1_copy_with_damage(proxy.get(), session.buffer->buffer());
    } else {
        zwlr_screencopy_frame_v1_copy(proxy.get(), session.buffer->buffer());
    }
    state = State::Copying;
}

WlrScreencopyCapture::WlrScreencopyCapture(std::string outputName, Mode mode)
    : m_outputName(std::move(outputName))
    , m_mode(mode)
{}

WlrScreencopyCapture::~WlrScreencopyCapture() = default;

void WlrScreencopyCapture::pause()
{
    m_session.reset();
    m_connecting.reset();
    m_nextAttempt = {};
    m_retryDelay = kFirstRetry;
}

bool WlrScreencopyCapture::ensureSession(Clock::time_point deadline)
{
    if (m_session) {
        return true;
    }
    if (!m_connecting) {
        if (Clock::now() < m_nextAttempt) {
            return false;
        }
        WaylandConnection::OpenError error{};
        m_connecting = WaylandConnection::open(&error);
        if (!m_connecting) {
            if (error == WaylandConnection::OpenError::NoCompositor) {
                m_unavailableReason = i18n::translate(
                    "Capture", "Screen capture needs a Wayland compositor, and WAYLAND_DISPLAY is not set.");
            } else if (!m_everConnected) {
                m_unavailableReason = i18n::arg(
                    i18n::translate("Capture",
                                    "Screen capture cannot reach the Wayland compositor at WAYLAND_DISPLAY=%1."),
                    {WaylandConnection::socketName()});
            }
            dropSession();
            return false;
        }
    }
    // A busy compositor may take longer to describe itself than one capture waits: the connection is
    // kept, and a later capture finds the description there. Connecting again would only add to its work.
    WaylandConnection &pending = *m_connecting;
    if (!pending.dispatchUntil([&pending] { return pending.isDescribed(); }, deadline)) {
        if (pending.isBroken()) {
            m_connecting.reset();
            dropSession();
        }
        return false;
    }
    std::unique_ptr<WaylandConnection> connection = std::move(m_connecting);
    m_everConnected = true;
    if (connection->screencopy() == nullptr || connection->shm() == nullptr) {
        m_unavailableReason =
            i18n::translate("Capture", "Screen capture needs a compositor that offers wlroots screencopy "
                                       "(zwlr_screencopy_manager_v1), and this one does not.");
        dropSession();
        return false;
    }
    m_session = std::make_unique<Session>();
    m_session->outputChanges = connection->outputs().changes();
    m_session->connection = std::move(connection);
    m_retryDelay = kFirstRetry;
    m_unavailableReason.reset();
    return true;
}

void WlrScreencopyCapture::dropSession()
{
    m_session.reset();
    m_nextAttempt = Clock::now() + m_retryDelay;
    m_retryDelay = std::min(m_retryDelay * 2, kLongestRetry);
}

std::optional<ScreenReduction> WlrScreencopyCapture::reduceReadyFrame()
{
    Session &s = *m_session;
    const ShmBuffer::Shape &shape = s.buffer->shape();
    const ImageView frame{s.buffer->data(), shape.width, shape.height, shape.stride, *shmPixelOrder(shape.format)};
    // Glances are only compared with each other: upside down or not, they agree.
    s.last = s.glances.figuresOf(frame, s.pace.isSettled(), kGlanceStep,
                                 [&] { return reduceScreen(uprightImage(frame, s.frame->yInverted, s.scratch)); });
    s.frame.reset();
    ++m_framesRead;
    m_unavailableReason.reset();
    return s.last;
}

void WlrScreencopyCapture::watchForDrawing(wl_output *output, Clock::time_point deadline)
{
    Session &s = *m_session;
    s.startFrame(output, true);
    // The compositor describes the buffer at once; answering it now, rather than at the next
    // capture, lets the copy of the next drawing be ready by then.
    const auto describedBy = std::min(deadline, Clock::now() + kDescribeLimit);
    s.connection->dispatchUntil([&s] { return s.frame->state != Frame::State::Describing; }, describedBy);
}

std::optional<ScreenReduction> WlrScreencopyCapture::captureAndReduce()
{
    const auto deadline = Clock::now() + kWaitLimit;
    if (!ensureSession(deadline)) {
        return std::nullopt;
    }
    Session &s = *m_session;
    if (!s.connection->dispatchPending() || s.connection->screencopy() == nullptr) {
        dropSession();
        return std::nullopt;
    }
    // A frame or figures from before an output change may show the wrong output or size.
    const WaylandOutputs &outputs = s.connection->outputs();
    if (outputs.changes() != s.outputChanges) {
        s.outputChanges = outputs.changes();
        s.forgetFrames();
    }
    wl_output *output = outputs.find(m_outputName);
    if (output == nullptr) {
        s.forgetFrames();
        return std::nullopt;
    }

    const bool whenDrawn = m_mode == Mode::WhenDrawn;
    if (s.frame && s.frame->state == Frame::State::Ready) {
        const bool mostDrawnOn = s.frame->withDamage && s.frame->mostDrawnOn();
        std::optional<ScreenReduction> reduction = reduceReadyFrame();
        // While the whole output keeps changing, the next copy is asked for one tick later: a copy
        // every second tick.
        s.pace.noteTick(mostDrawnOn);
        if (!s.pace.isSettled()) {
            s.glances.clear();
        }
        if (whenDrawn && !s.pace.isSettled()) {
            watchForDrawing(output, deadline);
        }
        return reduction;
    }
    s.glances.skipTick();
    if (s.frame && s.frame->state == Frame::State::Failed) {
        s.forgetFrames();
    }
    if (s.frame) {
        // Still waiting: for the output to be drawn on, or for a copy that took too long before.
        return s.frame->withDamage ? s.last : std::nullopt;
    }
    if (whenDrawn && s.last) {
        watchForDrawing(output, deadline);
        return s.last;
    }

    s.startFrame(output, false);
    const bool settled = s.connection->dispatchUntil([&s] { return s.frame->settled(); }, deadline);
    if (s.connection->isBroken()) {
        dropSession();
        return std::nullopt;
    }
    if (!settled) {
        // Left waiting; a later capture picks it up without waiting again.
        return std::nullopt;
    }
    if (s.frame->state == Frame::State::Failed) {
        if (s.unreadableFormat) {
            m_unavailableReason = i18n::arg(
                i18n::translate("Capture",
                                "Screen capture reads 32-bit RGB frames only; the compositor offers format %1."),
                {hexFormat(*s.unreadableFormat)});
        }
        s.forgetFrames();
        return std::nullopt;
    }
    std::optional<ScreenReduction> reduction = reduceReadyFrame();
    if (whenDrawn) {
        watchForDrawing(output, deadline);
    }
    return reduction;
}

} // namespace lumvex
