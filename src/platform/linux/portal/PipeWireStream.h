// SPDX-License-Identifier: MIT
#pragma once

#include "VideoFormat.h"
#include "base/UniqueFd.h"

#include <pipewire/pipewire.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lumvex {

// The video of one PipeWire node, received on a thread of PipeWire's own. The newest picture is kept as it
// came, its buffer held back from the sender until it is read or a newer one replaces it, so there is no
// copy, and a still screen, which sends nothing, costs nothing. Every member may be called from any thread
// but the stream's own.
class PipeWireStream
{
public:
    // Connects to node `nodeId` over the PipeWire connection `fd`, which it takes over. Nothing, with `error`
    // set, when PipeWire refuses.
    static std::unique_ptr<PipeWireStream> connect(UniqueFd fd, std::uint32_t nodeId, int maxFramesPerSecond,
                                                   std::string &error);
    ~PipeWireStream();
    PipeWireStream(const PipeWireStream &) = delete;
    PipeWireStream &operator=(const PipeWireStream &) = delete;

    // Runs `read` on the newest picture if it came after the one read before, and gives its buffer back;
    // returns whether it did. The image is valid during the call only.
    bool readNewFrame(const std::function<void(const ImageView &)> &read);

    // Unlinks the stream from the node, so that the sender stops making pictures; the connection to
    // PipeWire stays. Resuming links it again, and the sender starts with a picture of the screen as it
    // is then, which a stream that was merely inactive may not get until the screen changes.
    void pause();
    void resume();

    // Links the stream again offering at most this many pictures a second, when that differs from the
    // rate offered before: the rate is settled when the link is made. Takes effect at resume when paused.
    void setMaxFramesPerSecond(int framesPerSecond);

    // Why the stream has ended, once it has.
    std::optional<std::string> failure() const;

    // Pictures received and pictures read so far.
    std::uint64_t framesReceived() const { return m_framesReceived; }
    std::uint64_t framesRead() const { return m_framesRead; }

    // Only connect() makes streams.
    class Key
    {
        friend class PipeWireStream;
        Key() = default;
    };
    explicit PipeWireStream(Key) {}

private:
    // The stream's thread, with the loop locked.
    static void onStateChanged(void *self, pw_stream_state old, pw_stream_state state, const char *error);
    static void onParamChanged(void *self, std::uint32_t id, const spa_pod *param);
    static void onProcess(void *self);
    static void onRemoveBuffer(void *self, pw_buffer *buffer);
    static void onCoreError(void *self, std::uint32_t id, int seq, int res, const char *message);

    // With the loop locked.
    int link();
    void giveBackNewest();

    pw_thread_loop *m_loop = nullptr;
    pw_context *m_context = nullptr;
    pw_core *m_core = nullptr;
    pw_stream *m_stream = nullptr;
    std::uint32_t m_node = 0;
    int m_maxFramesPerSecond = 0;
    spa_hook m_coreListener{};
    spa_hook m_streamListener{};

    // Guarded by the loop's lock.
    std::optional<VideoFormat> m_format;
    pw_buffer *m_newest = nullptr;
    std::optional<std::string> m_failure;
    bool m_paused = false;

    std::atomic<std::uint64_t> m_framesReceived = 0;
    std::atomic<std::uint64_t> m_framesRead = 0;
};

} // namespace lumvex
