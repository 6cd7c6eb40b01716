// SPDX-License-Identifier: MIT
#include "LogindBrightness.h"

#include "loginsession.h"

#include <QDBusConnection>

namespace lumvex::backlight {

bool setThroughLogind(const std::string &device, long raw, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || raw < 0) {
        return false;
    }
    // "auto" is the session of the calling process, which is the one that owns the panel.
    LoginSession session(QStringLiteral("org.freedesktop.login1"),
                         QStringLiteral("/org/freedesktop/login1/session/auto"), bus);
    session.setTimeout(timeoutMs);
    QDBusPendingReply<> reply =
        session.SetBrightness(QStringLiteral("backlight"), QString::fromStdString(device), static_cast<uint>(raw));
    reply.waitForFinished();
    return reply.isValid();
}

} // namespace lumvex::backlight
