// SPDX-License-Identifier: MIT
#pragma once

#include "PulseVolumeRules.h"
#include "ThreadedMainloop.h"
#include "output/VolumeControl.h"

#include <pulse/context.h>
#include <pulse/introspect.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lumvex {

// The volume and mute switch of the default sink of a PulseAudio server (or PipeWire's pulse server).
//
// One connection lives on libpulse's own loop thread and keeps a copy of the default sink's state,
// refreshed whenever the server reports a change to the sinks or to which sink is the default. Every
// call answers from that copy, so none waits for the server; writes go out without waiting for the
// reply and update the copy at once, so adjust() right after set() starts from the new level. Until the
// server has confirmed the last write, its older reports about that sink are ignored.
//
// Without a server or a default sink the answers are neutral. A lost connection is retried in the
// background, sooner at first and every few seconds later, so a restarted server is picked up.
class PulseVolumeController final : public VolumeControl
{
public:
    // `server` in libpulse's notation ("unix:/path"); empty means wherever $PULSE_SERVER and
    // client.conf point. The server is never spawned.
    explicit PulseVolumeController(std::string server = {});
    ~PulseVolumeController() override;
    PulseVolumeController(const PulseVolumeController &) = delete;
    PulseVolumeController &operator=(const PulseVolumeController &) = delete;

    double get() override;
    double set(double volume) override;
    bool isMuted() override;
    void setMuted(bool muted) override;
    bool isVolumeControllable() override;

    // Waits at most `timeout` until the first connection attempt has either failed or learnt the default
    // sink, so the first reading after start is a real one. Returns isVolumeControllable().
    bool waitForFirstAnswer(std::chrono::milliseconds timeout);

private:
    struct ContextDeleter
    {
        void operator()(pa_context *context) const;
    };

    struct Sink
    {
        std::uint32_t index = 0;
        pa_cvolume volume{};
        pa_cvolume shape{}; // the last audible volume, to restore the balance after silence
        bool muted = false;
    };

    // All of these run with the loop locked.
    void connect();
    void connectionLost();
    void refresh();
    void takeSink(const pa_sink_info &info);
    void answered();

    static void onContextState(pa_context *context, void *self);
    static void onEvent(pa_context *context, pa_subscription_event_type_t type, std::uint32_t index, void *self);
    static void onSinkInfo(pa_context *context, const pa_sink_info *info, int eol, void *self);
    static void onWriteDone(pa_context *context, int success, void *self);
    static void onRetry(pa_mainloop_api *api, pa_time_event *event, const struct timeval *when, void *self);

    ThreadedMainloop m_loop; // first: stopped last
    const std::string m_server;
    std::unique_ptr<pa_context, ContextDeleter> m_context;
    pa_time_event *m_retryTimer = nullptr;
    bool m_retryPending = false;
    std::chrono::milliseconds m_retryDelay;

    std::optional<Sink> m_sink; // the default sink, while connected
    std::optional<pulse::WrittenLevel> m_written;
    int m_pendingWrites = 0;

    bool m_answered = false;
    std::condition_variable_any m_answeredChanged;
};

} // namespace lumvex
