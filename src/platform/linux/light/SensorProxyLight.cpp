#include "SensorProxyLight.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace lumvex {

namespace {

const QString kService = QStringLiteral("net.hadess.SensorProxy");
const QString kPath = QStringLiteral("/net/hadess/SensorProxy");
const QString kInterface = QStringLiteral("net.hadess.SensorProxy");
constexpr int kReplyTimeoutMs = 1000;

QDBusMessage proxyCall(const QString &method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

// A property of the daemon, or an invalid variant when it cannot be read.
QVariant property(QDBusConnection &bus, const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << kInterface << name;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

} // namespace

SensorProxyLight::SensorProxyLight()
    : m_bus(QDBusConnection::systemBus())
    , m_watcher(kService, m_bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    QObject::connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged,
                     [this](const QString &, const QString &, const QString &owner) {
                         m_claimed = false;
                         if (!owner.isEmpty()) {
                             claim();
                         }
                     });
    claim();
}

void SensorProxyLight::claim()
{
    if (!m_bus.isConnected()) {
        return;
    }
    const QVariant hasLight = property(m_bus, QStringLiteral("HasAmbientLight"));
    if (hasLight.typeId() != QMetaType::Bool || !hasLight.toBool()) {
        return;
    }
    m_claimed = m_bus.call(proxyCall(QStringLiteral("ClaimLight")), QDBus::Block, kReplyTimeoutMs).type() ==
                QDBusMessage::ReplyMessage;
}

SensorProxyLight::~SensorProxyLight()
{
    if (m_claimed) {
        // No need to wait: the daemon also drops the claim when our connection goes away.
        m_bus.send(proxyCall(QStringLiteral("ReleaseLight")));
    }
}

std::optional<double> SensorProxyLight::readLux()
{
    if (!m_claimed) {
        return std::nullopt;
    }
    const QVariant level = property(m_bus, QStringLiteral("LightLevel"));
    if (level.typeId() != QMetaType::Double) {
        return std::nullopt;
    }
    return level.toDouble();
}

} // namespace lumvex
