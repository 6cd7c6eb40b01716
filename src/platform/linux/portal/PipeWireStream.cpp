// SPDX-License-Identifier: MIT
#include "PipeWireStream.h"

#include "FrameImage.h"

#include <unistd.h>

#include <array>
#include <cstring>
#include <mutex>

namespace lumvex {

namespace {

// Holds the loop's lock for a scope; the loop's callbacks run with it held.
class LoopLock
{
public:
    explicit LoopLock(pw_thread_loop *loop)
        : m_loop(loop)
    {
        pw_thread_loop_lock(m_loop);
    }
    ~LoopLock() { pw_thread_loop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pw_thread_loop *m_loop;
};

void initPipeWire()
{
    static std::once_flag once;
    std::call_once(once, [] { pw_init(nullptr, nullptr); });
}

std::string describe(const char *what, int result)
{
    return std::string(what) + ": " + std::strerror(result < 0 ? -result : result);
}

} // namespace

std::unique_ptr<PipeWireStream> PipeWireStream::connect(UniqueFd fd, std::uint32_t nodeId, int maxFramesPerSecond,
                                                        std::string &error)
{
    initPipeWire();
    auto self = std::make_unique<PipeWireStream>(Key());
    self->m_loop = pw_thread_loop_new("lumvex-screen", nullptr);
    if (self->m_loop == nullptr) {
        error = describe("no PipeWire loop", errno);
        return nullptr;
    }
    self->m_context = pw_context_new(pw_thread_loop_get_loop(self->m_loop), nullptr, 0);
    if (self->m_context == nullptr) {
        error = describe("no PipeWire context", errno);
        return nullptr;
    }
    if (const int result = pw_thread_loop_start(self->m_loop); result < 0) {
        error = describe("the PipeWire thread did not start", result);
        return nullptr;
    }

    const LoopLock lock(self->m_loop);
    // The core owns the descriptor from here on, also when it fails.
    self->m_core = pw_context_connect_fd(self->m_context, fd.release(), nullptr, 0);
    if (self->m_core == nullptr) {
        error = describe("cannot connect to the shared screen's PipeWire", errno);
        return nullptr;
    }
    static const pw_core_events coreEvents = [] {
        pw_core_events events{};
        events.version = PW_VERSION_CORE_EVENTS;
        events.error = &PipeWireStream::onCoreError;
        return events;
    }();
    pw_core_add_listener(self->m_core, &self->m_coreListener, &coreEvents, self.get());

    self->m_stream = pw_stream_new(self->m_core, "Lumvex screen",
                                   pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture",
                                                     PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    if (self->m_stream == nullptr) {
        error = describe("no PipeWire stream", errno);
        return nullptr;
    }
    static const pw_stream_events streamEvents = [] {
        pw_stream_events events{};
        events.version = PW_VERSION_STREAM_EVENTS;
        events.state_changed = &PipeWireStream::onStateChanged;
        events.param_changed = &PipeWireStream::onParamChanged;
        events.process = &PipeWireStream::onProcess;
        events.remove_buffer = &PipeWireStream::onRemoveBuffer;
        return events;
    }();
    pw_stream_add_listener(self->m_stream, &self->m_streamListener, &streamEvents, self.get());

    self->m_node = nodeId;
    self->m_maxFramesPerSecond = maxFramesPerSecond;
    if (const int result = self->link(); result < 0) {
        error = describe("cannot connect to the shared screen's stream", result);
        return nullptr;
    }
    return self;
}

PipeWireStream::~PipeWireStream()
{
    if (m_loop == nullptr) {
        return;
    }
    {
        // Under the lock no callback runs; once stopped, none will again.
        const LoopLock lock(m_loop);
        m_newest = nullptr;
        if (m_stream != nullptr) {
            pw_stream_destroy(m_stream);
        }
        if (m_core != nullptr) {
            spa_hook_remove(&m_coreListener);
            pw_core_disconnect(m_core);
        }
    }
    pw_thread_loop_stop(m_loop);
    if (m_context != nullptr) {
        pw_context_destroy(m_context);
    }
    pw_thread_loop_destroy(m_loop);
}

bool PipeWireStream::readNewFrame(const std::function<void(const ImageView &)> &read)
{
    // Read under the loop's lock: the stream cannot take the buffer away meanwhile.
    const LoopLock lock(m_loop);
    if (m_newest == nullptr || !m_format) {
        return false;
    }
    const std::optional<ImageView> image = frameImage(*m_newest->buffer, *m_format);
    if (image) {
        read(*image);
        ++m_framesRead;
    }
    giveBackNewest();
    return image.has_value();
}

void PipeWireStream::pause()
{
    const LoopLock lock(m_loop);
    if (m_paused) {
        return;
    }
    m_paused = true;
    // Its buffers go with the link.
    m_newest = nullptr;
    pw_stream_disconnect(m_stream);
}

void PipeWireStream::resume()
{
    const LoopLock lock(m_loop);
    if (!m_paused) {
        return;
    }
    m_paused = false;
    if (const int result = link(); result < 0 && !m_failure) {
        m_failure = describe("cannot connect to the shared screen's stream again", result);
    }
}

void PipeWireStream::setMaxFramesPerSecond(int framesPerSecond)
{
    const LoopLock lock(m_loop);
    if (framesPerSecond == m_maxFramesPerSecond) {
        return;
    }
    m_maxFramesPerSecond = framesPerSecond;
    if (m_paused || m_failure) {
        return;
    }
    // Unlinked as by pause, so that the stream's end is not taken for a failure.
    m_paused = true;
    m_newest = nullptr;
    pw_stream_disconnect(m_stream);
    m_paused = false;
    if (const int result = link(); result < 0) {
        m_failure = describe("cannot connect to the shared screen's stream again", result);
    }
}

std::optional<std::string> PipeWireStream::failure() const
{
    const LoopLock lock(m_loop);
    return m_failure;
}

int PipeWireStream::link()
{
    std::array<std::uint8_t, 1024> memory{};
    spa_pod_builder builder{};
    spa_pod_builder_init(&builder, memory.data(), static_cast<std::uint32_t>(memory.size()));
    std::vector<const spa_pod *> params = videoFormatOffers(builder, m_maxFramesPerSecond);
    // Never another node in place of the shared screen's.
    const auto flags = static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS |
                                                    PW_STREAM_FLAG_DONT_RECONNECT);
    return pw_stream_connect(m_stream, PW_DIRECTION_INPUT, m_node, flags, params.data(),
                             static_cast<std::uint32_t>(params.size()));
}

void PipeWireStream::giveBackNewest()
{
    if (m_newest != nullptr) {
        pw_stream_queue_buffer(m_stream, m_newest);
        m_newest = nullptr;
    }
}

void PipeWireStream::onStateChanged(void *data, pw_stream_state, pw_stream_state state, const char *error)
{
    auto *self = static_cast<PipeWireStream *>(data);
    if (state == PW_STREAM_STATE_ERROR && !self->m_failure) {
        self->m_failure = error != nullptr ? error : "stream error";
    } else if (state == PW_STREAM_STATE_UNCONNECTED && !self->m_paused && !self->m_failure) {
        self->m_failure = "the stream was disconnected";
    }
}

void PipeWireStream::onParamChanged(void *data, std::uint32_t id, const spa_pod *param)
{
    auto *self = static_cast<PipeWireStream *>(data);
    if (id != SPA_PARAM_Format || param == nullptr) {
        return;
    }
    // Buffers of the old format go; their pictures are gone with them.
    self->giveBackNewest();
    self->m_format = parseVideoFormat(*param);
    if (!self->m_format) {
        return;
    }
    std::array<std::uint8_t, 1024> memory{};
    spa_pod_builder builder{};
    spa_pod_builder_init(&builder, memory.data(), static_cast<std::uint32_t>(memory.size()));
    std::vector<const spa_pod *> params = bufferParams(builder);
    pw_stream_update_params(self->m_stream, params.data(), static_cast<std::uint32_t>(params.size()));
}

void PipeWireStream::onProcess(void *data)
{
    auto *self = static_cast<PipeWireStream *>(data);
    while (pw_buffer *buffer = pw_stream_dequeue_buffer(self->m_stream)) {
        if (!self->m_format || !frameImage(*buffer->buffer, *self->m_format)) {
            pw_stream_queue_buffer(self->m_stream, buffer);
            continue;
        }
        self->giveBackNewest();
        self->m_newest = buffer;
        ++self->m_framesReceived;
    }
}

void PipeWireStream::onRemoveBuffer(void *data, pw_buffer *buffer)
{
    auto *self = static_cast<PipeWireStream *>(data);
    if (self->m_newest == buffer) {
        self->m_newest = nullptr;
    }
}

void PipeWireStream::onCoreError(void *data, std::uint32_t id, int, int res, const char *message)
{
    auto *self = static_cast<PipeWireStream *>(data);
    // Errors about other objects than the connection itself concern others.
    if (id == PW_ID_CORE && !self->m_failure) {
        self->m_failure = describe(message != nullptr ? message : "PipeWire error", res);
    }
}

} // namespace lumvex
