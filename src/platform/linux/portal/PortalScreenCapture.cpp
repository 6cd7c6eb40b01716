// SPDX-License-Identifier: MIT
#include "PortalScreenCapture.h"

#include "PipeWireStream.h"
#include "ScreenCastSession.h"
#include "base/Translation.h"

#include <QMetaObject>
#include <QThread>

#include <fcntl.h>

#include <mutex>
#include <utility>

namespace lumvex {

// What the session on the main thread hands to the capturing thread.
struct PortalScreenCapture::Link
{
    mutable std::mutex mutex;
    std::shared_ptr<PipeWireStream> stream;
    std::optional<std::string> reason;
    std::atomic<std::uint64_t> framesReduced = 0;
    bool closed = false;
    // No session, none on its way: the next capture asks for one.
    bool sessionIdle = true;

    void setStream(std::shared_ptr<PipeWireStream> next, std::optional<std::string> why)
    {
        std::unique_lock lock(mutex);
        if (closed) {
            return;
        }
        std::swap(stream, next);
        reason = std::move(why);
        lock.unlock();
        // The old stream, if no capture holds it, ends here, outside the lock.
    }

    void suspended()
    {
        setStream(nullptr, std::nullopt);
        const std::lock_guard lock(mutex);
        sessionIdle = true;
    }
};

namespace {

// The portal's descriptor stays with Qt; PipeWire gets a copy of its own.
int duplicate(int fd)
{
    return fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

} // namespace

PortalScreenCapture::PortalScreenCapture(Defaults &defaults, std::optional<QRect> area)
    : m_link(std::make_shared<Link>())
    , m_session(new ScreenCastSession(defaults))
{
    m_session->onStarted = [link = m_link, area](const QDBusUnixFileDescriptor &pipeWire,
                                                 const std::vector<ScreenCastStream> &streams) {
        const std::optional<ScreenCastStream> chosen = chooseScreenCastStream(streams, area);
        UniqueFd fd(duplicate(pipeWire.fileDescriptor()));
        if (!chosen || !fd) {
            link->setStream(
                nullptr,
                i18n::translate("Capture", "Lumvex could not take over the shared screen from the desktop portal."));
            return;
        }
        std::string error;
        std::shared_ptr<PipeWireStream> stream =
            PipeWireStream::connect(std::move(fd), chosen->nodeId, kMaxFramesPerSecond, error);
        if (!stream) {
            link->setStream(
                nullptr,
                i18n::arg(i18n::translate("Capture", "Lumvex cannot receive the shared screen from PipeWire (%1)."),
                          {error}));
            return;
        }
        link->setStream(std::move(stream), std::nullopt);
    };
    m_session->onUnavailable = [link = m_link](const QString &reason) {
        link->setStream(nullptr, reason.toStdString());
    };
    m_session->onSuspended = [link = m_link] { link->suspended(); };
}

PortalScreenCapture::~PortalScreenCapture()
{
    {
        const std::lock_guard lock(m_link->mutex);
        m_link->closed = true;
        m_link->stream.reset();
    }
    m_stream.reset();
}

void PortalScreenCapture::EndOnItsThread::operator()(ScreenCastSession *session) const
{
    if (QThread::currentThread() == session->thread()) {
        std::default_delete<ScreenCastSession>()(session);
    } else {
        // Closed at the next turn of the main thread's loop; deleted when its loop gets to deferred deletions.
        QMetaObject::invokeMethod(session, &ScreenCastSession::close, Qt::QueuedConnection);
        session->deleteLater();
    }
}

std::optional<ScreenReduction> PortalScreenCapture::captureAndReduce()
{
    std::shared_ptr<PipeWireStream> current;
    bool startWanted = !std::exchange(m_startRequested, true);
    {
        const std::lock_guard lock(m_link->mutex);
        current = m_link->stream;
        startWanted = std::exchange(m_link->sessionIdle, false) || startWanted;
    }
    if (startWanted) {
        QMetaObject::invokeMethod(m_session.get(), &ScreenCastSession::start, Qt::QueuedConnection);
    }
    if (current != m_stream) {
        // Figures of another stream, or of none, say nothing about this one.
        m_stream = std::move(current);
        m_last.reset();
        m_pace = {};
        m_quietTicks = 0;
        m_glances.clear();
        m_paused = false;
    }
    if (!m_stream) {
        return std::nullopt;
    }
    if (std::optional<std::string> failure = m_stream->failure()) {
        m_link->setStream(nullptr,
                          i18n::arg(i18n::translate("Capture", "The shared screen's PipeWire stream ended (%1); "
                                                               "restart Lumvex to share the screen again."),
                                    {*failure}));
        m_stream.reset();
        m_last.reset();
        return std::nullopt;
    }
    if (m_paused) {
        m_stream->resume();
        m_paused = false;
    }
    const bool settled = m_pace.isSettled();
    const bool read = m_stream->readNewFrame([this, settled](const ImageView &image) {
        m_last = m_glances.figuresOf(image, settled, kGlanceStep, [&] {
            ++m_link->framesReduced;
            return reduceScreen(image);
        });
    });
    if (!read) {
        m_glances.skipTick();
    }
    // The portal sends at most as many pictures as we take, so a busy screen's picture may miss a tick.
    m_quietTicks = read ? 0 : m_quietTicks + 1;
    if (read || m_quietTicks >= kQuietTicks) {
        m_pace.noteTick(read);
    }
    if (!m_pace.isSettled()) {
        m_glances.clear();
    }
    m_stream->setMaxFramesPerSecond(m_pace.isSettled() ? kBusyFramesPerSecond : kMaxFramesPerSecond);
    return m_last;
}

std::optional<std::string> PortalScreenCapture::unavailableReason() const
{
    const std::lock_guard lock(m_link->mutex);
    return m_link->reason;
}

void PortalScreenCapture::pause()
{
    if (m_stream && !m_paused) {
        m_stream->pause();
        m_paused = true;
    }
    if (std::exchange(m_startRequested, false)) {
        QMetaObject::invokeMethod(m_session.get(), &ScreenCastSession::suspend, Qt::QueuedConnection);
    }
}

std::uint64_t PortalScreenCapture::framesReduced() const
{
    return m_link->framesReduced;
}

} // namespace lumvex
