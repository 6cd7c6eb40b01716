// SPDX-License-Identifier: MIT
#include "LogindBrightness.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace lumvex::backlight {

bool setThroughLogind(const std::string &device, long raw, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || raw < 0) {
        return false;
    }
    // "auto" is the session of the calling process, which is the one that owns the panel.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1/session/auto"),
        QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("SetBrightness"));
    call << QStringLiteral("backlight") << QString::fromStdString(device) << static_cast<uint>(raw);
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace lumvex::backlight
