// SPDX-License-Identifier: MIT
#pragma once

#include "ScreenCastStream.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class DBusProperties;
class PortalScreenCast;
class QDBusMessage;
class QDBusPendingCall;
class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace lumvex {

class Defaults;

// A screen-sharing session with the desktop portal for one monitor, without the cursor: the portal asks the
// user once and, when it can, hands out a restore token with which the next session starts without asking.
// The token is kept in the settings. Every call is asynchronous, made on the thread the object lives on.
//
// The session starts once, unless suspended. When the portal goes away while it shares, it starts again once
// the portal is back, but only with a restore token, so that no one is asked twice.
class ScreenCastSession final : public QObject
{
    Q_OBJECT

public:
    // `defaults` must outlive the session.
    explicit ScreenCastSession(Defaults &defaults, QObject *parent = nullptr);
    // Closes the session.
    ~ScreenCastSession() override;
    ScreenCastSession(const ScreenCastSession &) = delete;
    ScreenCastSession &operator=(const ScreenCastSession &) = delete;

    // Asks the portal to share a monitor; does nothing after the first call, except after a suspension.
    void start();
    // Ends the sharing for now when a stored restore token lets start() share again without asking anyone
    // (the desktop shows that the screen is shared for as long as the session lives); a session still
    // starting ends once it shares. Without a token the session stays.
    void suspend();
    // Ends the session and anything still asked of the portal; nothing is reported afterwards.
    void close();

    // How often the portal was asked to start sharing, each time perhaps asking the user.
    int startRequests() const { return m_startRequests; }

    // The portal shares the screen: the connection to PipeWire that carries the streams, and the streams.
    std::function<void(const QDBusUnixFileDescriptor &pipeWire, const std::vector<ScreenCastStream> &streams)>
        onStarted;
    // Sharing cannot start or has stopped, with one line for the user saying whether it comes back.
    std::function<void(const QString &reason)> onUnavailable;
    // The sharing ended by suspend(): the streams are gone until the next start().
    std::function<void()> onSuspended;

private Q_SLOTS:
    void handleResponse(const QDBusMessage &message);
    void handleClosed(const QDBusMessage &message);

private:
    enum class Stage { Idle, Probing, Creating, Selecting, Starting, Opening, Sharing, WaitingForPortal, Ended };

    void probe();
    void createSession();
    void selectSources();
    void startSharing();
    void openRemote();
    void handleProperties(QDBusPendingCallWatcher &call);
    void handleRemote(QDBusPendingCallWatcher &call);
    void portalGone();
    void portalBack();

    // For a method that answers through a Request object: listens for the answer of a new one and returns
    // `options` with its `handle_token`, to be passed to the call that followRequest() then follows.
    QVariantMap newRequest(const QString &method, QVariantMap options);
    void followRequest(const QDBusPendingCall &request);
    void watchSession(const QString &path);
    void forgetRequest();
    void forgetSession();
    void fail(const QString &reason);
    bool canRestoreSilently() const;
    void suspendNow();

    Defaults &m_defaults;
    QDBusConnection m_bus;
    PortalScreenCast *m_screenCast;
    DBusProperties *m_properties;
    QPointer<QDBusServiceWatcher> m_portalWatcher;
    Stage m_stage = Stage::Idle;
    unsigned m_version = 0;
    unsigned m_cursorModes = 0;
    QString m_requestPath;
    QString m_sessionPath;
    bool m_sessionCreated = false;
    bool m_tokenOffered = false;
    bool m_everShared = false;
    bool m_suspendWanted = false;
    int m_startRequests = 0;
    std::vector<ScreenCastStream> m_streams;
};

} // namespace lumvex
