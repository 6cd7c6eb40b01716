// SPDX-License-Identifier: MIT
#include "ScreenCastSession.h"

#include "PortalPaths.h"
#include "dbusproperties.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"
#include "platform/linux/Logging.h"
#include "portalscreencast.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QRandomGenerator>

namespace lumvex {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenCast = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

constexpr unsigned kMonitorSource = 1;
constexpr unsigned kHiddenCursor = 1;
constexpr unsigned kPersistUntilRevoked = 2;
constexpr unsigned kFirstVersionWithRestore = 4;
constexpr unsigned kCancelled = 1;

// What the menu says when the screen cannot be seen, translated where it is shown.
constexpr const char *kNoBus =
    QT_TRANSLATE_NOOP("Capture", "Screen capture on Wayland needs the session bus, which Lumvex cannot reach.");
constexpr const char *kNoPortal = QT_TRANSLATE_NOOP(
    "Capture", "Screen capture on Wayland needs the desktop portal (xdg-desktop-portal), which is not running here.");
constexpr const char *kNoScreenCast =
    QT_TRANSLATE_NOOP("Capture", "The desktop portal here cannot share the screen, so Lumvex cannot see the screen.");
constexpr const char *kNoMonitors = QT_TRANSLATE_NOOP(
    "Capture", "The desktop portal here cannot share a whole monitor, so Lumvex cannot see the screen.");
constexpr const char *kDeclined = QT_TRANSLATE_NOOP(
    "Capture", "Screen sharing was declined, so Lumvex cannot see the screen; restart Lumvex to be asked again.");
constexpr const char *kDialogFailed = QT_TRANSLATE_NOOP(
    "Capture",
    "The desktop could not show its screen sharing dialog, so Lumvex cannot see the screen; restart Lumvex to "
    "try again.");
constexpr const char *kFailed = QT_TRANSLATE_NOOP(
    "Capture",
    "The desktop could not start screen sharing, so Lumvex cannot see the screen; restart Lumvex to try again.");
constexpr const char *kNoStreams = QT_TRANSLATE_NOOP(
    "Capture", "The desktop shared no screen with Lumvex, so it cannot see the screen; restart Lumvex to try again.");
constexpr const char *kStopped = QT_TRANSLATE_NOOP(
    "Capture",
    "Screen sharing was stopped by the desktop, so Lumvex cannot see the screen; restart Lumvex to share it again.");
constexpr const char *kPortalGone = QT_TRANSLATE_NOOP(
    "Capture",
    "The desktop portal stopped and screen sharing with it, so Lumvex cannot see the screen; restart Lumvex to "
    "share it again.");
constexpr const char *kPortalRestarting =
    QT_TRANSLATE_NOOP("Capture", "The desktop portal stopped; Lumvex sees the screen again once the portal is back.");

QString callFailed(const QDBusError &error)
{
    QString detail = error.message().simplified();
    if (detail.isEmpty()) {
        detail = error.name();
    }
    if (detail.size() > 120) {
        detail = detail.left(117) + QStringLiteral("...");
    }
    return QCoreApplication::translate(
               "Capture", "The desktop portal could not share the screen (%1); restart Lumvex to try again.")
        .arg(detail);
}

// Tokens need only be unique among this connection's requests, in [A-Za-z0-9_].
// A request and a session live at a path of their own, known per call, and are watched by path: one
// message, not a proxy made for one call, closes them, and nothing waits for the answer.
void closeAt(const QString &path, const QString &interface, QDBusConnection &bus)
{
    bus.call(QDBusMessage::createMethodCall(kService, path, interface, QStringLiteral("Close")), QDBus::NoBlock);
}

QString newToken()
{
    return QStringLiteral("lumvex_") + QString::number(QRandomGenerator::global()->generate64(), 16);
}

} // namespace

ScreenCastSession::ScreenCastSession(Defaults &defaults, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_bus(QDBusConnection::sessionBus())
    , m_screenCast(new PortalScreenCast(kService, kPath, m_bus, this))
    , m_properties(new DBusProperties(kService, kPath, m_bus, this))
{}

ScreenCastSession::~ScreenCastSession()
{
    close();
}

void ScreenCastSession::start()
{
    m_suspendWanted = false;
    if (m_stage != Stage::Idle) {
        return;
    }
    if (!m_bus.isConnected()) {
        fail(QCoreApplication::translate("Capture", kNoBus));
        return;
    }
    m_portalWatcher = new QDBusServiceWatcher(kService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_portalWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &oldOwner, const QString &newOwner) {
                if (!oldOwner.isEmpty()) {
                    portalGone();
                }
                if (!newOwner.isEmpty()) {
                    portalBack();
                }
            });
    probe();
}

void ScreenCastSession::close()
{
    if (!m_requestPath.isEmpty()) {
        // Takes a question still open off the screen.
        closeAt(m_requestPath, kRequest, m_bus);
    }
    if (m_sessionCreated) {
        qCDebug(lcPortal) << "closing" << m_sessionPath;
        closeAt(m_sessionPath, kSession, m_bus);
    }
    forgetRequest();
    forgetSession();
    // Not deleted at once: this may run inside the watcher's own signal.
    if (m_portalWatcher) {
        m_portalWatcher->disconnect(this);
        m_portalWatcher->deleteLater();
    }
    m_stage = Stage::Ended;
}

void ScreenCastSession::suspend()
{
    switch (m_stage) {
    case Stage::Probing:
    case Stage::Creating:
    case Stage::Selecting:
    case Stage::Starting:
    case Stage::Opening:
    case Stage::WaitingForPortal:
        // Closing now could take the dialog away or spend the offered token for nothing.
        m_suspendWanted = true;
        break;
    case Stage::Sharing:
        if (canRestoreSilently()) {
            suspendNow();
        }
        break;
    default:
        break;
    }
}

bool ScreenCastSession::canRestoreSilently() const
{
    const auto token = settings::value(m_defaults, settings::screenCastRestoreToken);
    return m_version >= kFirstVersionWithRestore && token && !token->empty();
}

void ScreenCastSession::suspendNow()
{
    qCDebug(lcPortal) << "suspending" << m_sessionPath;
    m_suspendWanted = false;
    close();
    m_stage = Stage::Idle;
    if (onSuspended) {
        onSuspended();
    }
}

void ScreenCastSession::probe()
{
    m_stage = Stage::Probing;
    auto *call = new QDBusPendingCallWatcher(m_properties->GetAll(kScreenCast), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        if (m_stage == Stage::Probing) {
            handleProperties(*finished);
        }
    });
}

void ScreenCastSession::handleProperties(QDBusPendingCallWatcher &call)
{
    const QDBusPendingReply<QVariantMap> reply = call;
    if (reply.isError()) {
        const QDBusError error = reply.error();
        qCDebug(lcPortal) << "no ScreenCast properties:" << error.name() << error.message();
        const QString name = error.name();
        if (error.type() == QDBusError::ServiceUnknown ||
            name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
            name.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn"))) {
            fail(QCoreApplication::translate("Capture", kNoPortal));
        } else if (error.type() == QDBusError::UnknownInterface || error.type() == QDBusError::UnknownObject ||
                   error.type() == QDBusError::UnknownMethod || error.type() == QDBusError::UnknownProperty ||
                   error.type() == QDBusError::InvalidArgs) {
            fail(QCoreApplication::translate("Capture", kNoScreenCast));
        } else {
            fail(callFailed(error));
        }
        return;
    }
    const QVariantMap properties = reply.value();
    m_version = properties.value(QStringLiteral("version")).toUInt();
    m_cursorModes = properties.value(QStringLiteral("AvailableCursorModes")).toUInt();
    if (m_version == 0) {
        fail(QCoreApplication::translate("Capture", kNoScreenCast));
        return;
    }
    if ((properties.value(QStringLiteral("AvailableSourceTypes")).toUInt() & kMonitorSource) == 0) {
        fail(QCoreApplication::translate("Capture", kNoMonitors));
        return;
    }
    createSession();
}

void ScreenCastSession::createSession()
{
    m_stage = Stage::Creating;
    const QString token = newToken();
    watchSession(portalSessionPath(m_bus.baseService(), token));
    followRequest(m_screenCast->CreateSession(
        newRequest(QStringLiteral("CreateSession"), {{QStringLiteral("session_handle_token"), token}})));
}

void ScreenCastSession::selectSources()
{
    m_stage = Stage::Selecting;
    QVariantMap options{{QStringLiteral("types"), kMonitorSource}, {QStringLiteral("multiple"), false}};
    if ((m_cursorModes & kHiddenCursor) != 0) {
        options.insert(QStringLiteral("cursor_mode"), kHiddenCursor);
    }
    m_tokenOffered = false;
    if (m_version >= kFirstVersionWithRestore) {
        options.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
        if (const auto token = settings::value(m_defaults, settings::screenCastRestoreToken);
            token && !token->empty()) {
            options.insert(QStringLiteral("restore_token"), QString::fromStdString(*token));
            m_tokenOffered = true;
        }
    }
    followRequest(m_screenCast->SelectSources(QDBusObjectPath(m_sessionPath),
                                              newRequest(QStringLiteral("SelectSources"), std::move(options))));
}

void ScreenCastSession::startSharing()
{
    m_stage = Stage::Starting;
    ++m_startRequests;
    followRequest(
        m_screenCast->Start(QDBusObjectPath(m_sessionPath), QString(), newRequest(QStringLiteral("Start"), {})));
}

void ScreenCastSession::openRemote()
{
    m_stage = Stage::Opening;
    auto *call = new QDBusPendingCallWatcher(
        m_screenCast->OpenPipeWireRemote(QDBusObjectPath(m_sessionPath), QVariantMap()), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        if (m_stage == Stage::Opening) {
            handleRemote(*finished);
        }
    });
}

void ScreenCastSession::handleRemote(QDBusPendingCallWatcher &call)
{
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = call;
    if (reply.isError() || !reply.value().isValid()) {
        fail(callFailed(reply.error()));
        return;
    }
    m_stage = Stage::Sharing;
    qCDebug(lcPortal) << "sharing" << m_streams.size() << "stream(s) of" << m_sessionPath;
    if (m_suspendWanted && canRestoreSilently()) {
        suspendNow();
        return;
    }
    m_suspendWanted = false;
    if (onStarted) {
        onStarted(reply.value(), m_streams);
    }
}

QVariantMap ScreenCastSession::newRequest(const QString &method, QVariantMap options)
{
    const QString token = newToken();
    // Listening before the call: the answer may come before the call returns.
    forgetRequest();
    m_requestPath = portalRequestPath(m_bus.baseService(), token);
    m_bus.connect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                  SLOT(handleResponse(QDBusMessage)));
    options.insert(QStringLiteral("handle_token"), token);
    qCDebug(lcPortal) << method << "via" << m_requestPath;
    return options;
}

void ScreenCastSession::followRequest(const QDBusPendingCall &request)
{
    auto *call = new QDBusPendingCallWatcher(request, this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, stage = m_stage, predicted = m_requestPath](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                // Nothing to do once the answer came or the session ended.
                if (m_stage != stage || m_requestPath != predicted) {
                    return;
                }
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (reply.isError()) {
                    fail(callFailed(reply.error()));
                    return;
                }
                // Portals before version 0.9 chose the path themselves.
                if (const QString handle = reply.value().path(); handle != m_requestPath) {
                    forgetRequest();
                    m_requestPath = handle;
                    m_bus.connect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                                  SLOT(handleResponse(QDBusMessage)));
                }
            });
}

void ScreenCastSession::handleResponse(const QDBusMessage &message)
{
    if (message.path() != m_requestPath) {
        return;
    }
    forgetRequest();
    const QVariantList arguments = message.arguments();
    const unsigned response = arguments.size() == 2 ? arguments[0].toUInt() : 2;
    const QVariantMap results = arguments.size() == 2 ? qdbus_cast<QVariantMap>(arguments[1]) : QVariantMap();
    qCDebug(lcPortal) << "response" << response << "in stage" << static_cast<int>(m_stage);

    if (m_stage == Stage::Starting) {
        m_streams = parseScreenCastStreams(results.value(QStringLiteral("streams")));
    }
    if (m_stage == Stage::Starting && m_version >= kFirstVersionWithRestore) {
        // A token works once: the one offered is spent, and the portal may hand out the next, which is
        // worth keeping only when it shares something.
        const QString token = results.value(QStringLiteral("restore_token")).toString();
        if (response == 0 && !token.isEmpty() && !m_streams.empty()) {
            settings::set(m_defaults, settings::screenCastRestoreToken, token.toStdString());
        } else if (m_tokenOffered) {
            settings::remove(m_defaults, settings::screenCastRestoreToken);
        }
    }
    if (response != 0) {
        fail(QCoreApplication::translate("Capture", response == kCancelled       ? kDeclined
                                                    : m_stage == Stage::Starting ? kDialogFailed
                                                                                 : kFailed));
        return;
    }
    switch (m_stage) {
    case Stage::Creating: {
        m_sessionCreated = true;
        const QString handle = results.value(QStringLiteral("session_handle")).toString();
        if (!handle.isEmpty() && handle != m_sessionPath) {
            forgetSession();
            watchSession(handle);
            m_sessionCreated = true;
        }
        selectSources();
        break;
    }
    case Stage::Selecting:
        startSharing();
        break;
    case Stage::Starting:
        if (m_streams.empty()) {
            fail(QCoreApplication::translate("Capture", kNoStreams));
            return;
        }
        m_everShared = true;
        openRemote();
        break;
    default:
        break;
    }
}

void ScreenCastSession::handleClosed(const QDBusMessage &message)
{
    if (message.path() != m_sessionPath || m_stage == Stage::Ended) {
        return;
    }
    qCDebug(lcPortal) << "closed by the desktop:" << m_sessionPath;
    m_sessionCreated = false;
    fail(QCoreApplication::translate("Capture", kStopped));
}

void ScreenCastSession::portalGone()
{
    if (m_stage == Stage::Idle || m_stage == Stage::WaitingForPortal || m_stage == Stage::Ended) {
        return;
    }
    qCDebug(lcPortal) << "the portal went away in stage" << static_cast<int>(m_stage);
    // Its sessions went with it.
    forgetRequest();
    forgetSession();
    if (m_everShared && canRestoreSilently()) {
        m_stage = Stage::WaitingForPortal;
        if (onUnavailable) {
            onUnavailable(QCoreApplication::translate("Capture", kPortalRestarting));
        }
        return;
    }
    fail(QCoreApplication::translate("Capture", kPortalGone));
}

void ScreenCastSession::portalBack()
{
    if (m_stage == Stage::WaitingForPortal) {
        qCDebug(lcPortal) << "the portal is back; sharing again with the restore token";
        probe();
    }
}

void ScreenCastSession::watchSession(const QString &path)
{
    m_sessionPath = path;
    m_bus.connect(kService, m_sessionPath, kSession, QStringLiteral("Closed"), this, SLOT(handleClosed(QDBusMessage)));
}

void ScreenCastSession::forgetRequest()
{
    if (!m_requestPath.isEmpty()) {
        m_bus.disconnect(kService, m_requestPath, kRequest, QStringLiteral("Response"), this,
                         SLOT(handleResponse(QDBusMessage)));
        m_requestPath.clear();
    }
}

void ScreenCastSession::forgetSession()
{
    if (!m_sessionPath.isEmpty()) {
        m_bus.disconnect(kService, m_sessionPath, kSession, QStringLiteral("Closed"), this,
                         SLOT(handleClosed(QDBusMessage)));
        m_sessionPath.clear();
    }
    m_sessionCreated = false;
}

void ScreenCastSession::fail(const QString &reason)
{
    qCDebug(lcPortal) << "unavailable:" << reason;
    close();
    if (onUnavailable) {
        onUnavailable(reason);
    }
}

} // namespace lumvex
