// SPDX-License-Identifier: MIT
#include "PulseVolumeController.h"

#include "output/VolumeLevel.h"

#include <pulse/subscribe.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <mutex>
#include <utility>

namespace lumvex {
namespace {

constexpr std::chrono::milliseconds firstRetryDelay{250};
constexpr std::chrono::milliseconds longestRetryDelay{5000};

// Names whichever sink is the default when the server runs the request.
constexpr const char *defaultSink = "@DEFAULT_SINK@";

// Sink events carry volume and mute changes; server events, a change of the default sink.
constexpr auto watched = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER);

// Requests are never waited on; their replies arrive through the callbacks.
void release(pa_operation *operation)
{
    if (operation) {
        pa_operation_unref(operation);
    }
}

PulseVolumeController *controller(void *self)
{
    return static_cast<PulseVolumeController *>(self);
}

} // namespace

void PulseVolumeController::ContextDeleter::operator()(pa_context *context) const
{
    // Silenced first: disconnecting reports a state change, and pending replies are dropped unheard.
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_set_subscribe_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
}

PulseVolumeController::PulseVolumeController(std::string server)
    : m_loop("lumvex-audio")
    , m_server(std::move(server))
    , m_retryDelay(firstRetryDelay)
{
    std::lock_guard lock(m_loop);
    if (!m_loop.api()) {
        answered();
        return;
    }
    connect();
}

PulseVolumeController::~PulseVolumeController()
{
    std::lock_guard lock(m_loop);
    if (m_retryTimer) {
        m_loop.api()->time_free(m_retryTimer);
    }
    m_context.reset();
}

double PulseVolumeController::get()
{
    std::lock_guard lock(m_loop);
    return m_sink ? pulse::reportedLevel(m_sink->index, m_sink->volume, m_written) : 0.0;
}

double PulseVolumeController::set(double volume)
{
    const auto level = requestedVolume(volume);
    if (!level) {
        return get();
    }
    std::lock_guard lock(m_loop);
    if (!m_sink || !pa_cvolume_valid(&m_sink->volume)) {
        return *level;
    }
    const pa_volume_t raw = pulse::rawVolumeOf(*level);
    const pa_cvolume target = pulse::scaledTo(m_sink->volume, m_sink->shape, raw);
    if (!pa_cvolume_equal(&target, &m_sink->volume)) {
        pa_operation *write =
            pa_context_set_sink_volume_by_index(m_context.get(), m_sink->index, &target, &onWriteDone, this);
        if (!write) {
            return *level;
        }
        release(write);
        ++m_pendingWrites;
        m_sink->volume = target;
        if (raw > PA_VOLUME_MUTED) {
            m_sink->shape = target;
        }
    }
    m_written = pulse::WrittenLevel{m_sink->index, *level, raw};
    return *level;
}

bool PulseVolumeController::isMuted()
{
    std::lock_guard lock(m_loop);
    return m_sink && m_sink->muted;
}

void PulseVolumeController::setMuted(bool muted)
{
    std::lock_guard lock(m_loop);
    if (!m_sink) {
        return;
    }
    pa_operation *write = pa_context_set_sink_mute_by_index(m_context.get(), m_sink->index, muted, &onWriteDone, this);
    if (!write) {
        return;
    }
    release(write);
    ++m_pendingWrites;
    m_sink->muted = muted;
}

bool PulseVolumeController::isVolumeControllable()
{
    std::lock_guard lock(m_loop);
    return m_sink && pa_cvolume_valid(&m_sink->volume);
}

bool PulseVolumeController::waitForFirstAnswer(std::chrono::milliseconds timeout)
{
    {
        std::unique_lock lock(m_loop);
        m_answeredChanged.wait_for(lock, timeout, [this] { return m_answered; });
    }
    return isVolumeControllable();
}

void PulseVolumeController::connect()
{
    m_context.reset(pa_context_new(m_loop.api(), "Lumvex"));
    if (!m_context) {
        connectionLost();
        return;
    }
    pa_context_set_state_callback(m_context.get(), &onContextState, this);
    const char *server = m_server.empty() ? nullptr : m_server.c_str();
    if (pa_context_connect(m_context.get(), server, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        connectionLost();
    }
}

void PulseVolumeController::connectionLost()
{
    m_sink.reset();
    m_written.reset();
    m_pendingWrites = 0;
    answered();
    if (m_retryPending) {
        return;
    }
    // The failed context is dropped by the retry, outside its own callbacks.
    m_retryPending = true;
    // The loop turns a wall-clock time into its monotonic clock when the timer is set, so a later jump
    // of the wall clock cannot hold the retry back.
    timeval when{};
    pa_gettimeofday(&when);
    pa_timeval_add(&when, static_cast<pa_usec_t>(std::chrono::microseconds(m_retryDelay).count()));
    pa_mainloop_api *api = m_loop.api();
    if (m_retryTimer) {
        api->time_restart(m_retryTimer, &when);
    } else {
        m_retryTimer = api->time_new(api, &when, &onRetry, this);
    }
    m_retryDelay = std::min(m_retryDelay * 2, longestRetryDelay);
}

void PulseVolumeController::refresh()
{
    if (m_context && pa_context_get_state(m_context.get()) == PA_CONTEXT_READY) {
        release(pa_context_get_sink_info_by_name(m_context.get(), defaultSink, &onSinkInfo, this));
    }
}

void PulseVolumeController::takeSink(const pa_sink_info &info)
{
    const bool sameSink = m_sink && m_sink->index == info.index;
    // The server answers in order: until it has confirmed our last write, a report about this sink may
    // predate it. The confirmation asks again.
    if (sameSink && m_pendingWrites > 0) {
        return;
    }
    Sink sink;
    sink.index = info.index;
    sink.volume = info.volume;
    sink.muted = info.mute != 0;
    sink.shape = sameSink ? m_sink->shape : info.volume;
    if (pa_cvolume_max(&info.volume) > PA_VOLUME_MUTED) {
        sink.shape = info.volume;
    }
    m_sink = sink;
}

void PulseVolumeController::answered()
{
    m_answered = true;
    m_answeredChanged.notify_all();
}

void PulseVolumeController::onContextState(pa_context *context, void *self)
{
    PulseVolumeController &c = *controller(self);
    if (context != c.m_context.get()) {
        return;
    }
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        c.m_retryDelay = firstRetryDelay;
        pa_context_set_subscribe_callback(context, &onEvent, self);
        release(pa_context_subscribe(context, watched, nullptr, nullptr));
        c.refresh();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        c.connectionLost();
        break;
    default:
        break;
    }
}

void PulseVolumeController::onEvent(pa_context *, pa_subscription_event_type_t, std::uint32_t, void *self)
{
    // Even another sink's change counts: it may be the sink that a default query still in flight will name,
    // and PipeWire's pulse server can report the change before that answer.
    controller(self)->refresh();
}

void PulseVolumeController::onSinkInfo(pa_context *, const pa_sink_info *info, int eol, void *self)
{
    PulseVolumeController &c = *controller(self);
    if (eol < 0) {
        // No default sink, or it went away before the request ran.
        c.m_sink.reset();
    } else if (eol == 0 && info) {
        c.takeSink(*info);
    }
    c.answered();
}

void PulseVolumeController::onWriteDone(pa_context *, int, void *self)
{
    // Failed or not, the sink's state is asked for again once every write has been answered.
    PulseVolumeController &c = *controller(self);
    if (c.m_pendingWrites > 0 && --c.m_pendingWrites == 0) {
        c.refresh();
    }
}

void PulseVolumeController::onRetry(pa_mainloop_api *, pa_time_event *, const struct timeval *, void *self)
{
    PulseVolumeController &c = *controller(self);
    c.m_retryPending = false;
    c.connect();
}

} // namespace lumvex
