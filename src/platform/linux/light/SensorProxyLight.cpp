// SPDX-License-Identifier: MIT
#include "SensorProxyLight.h"

#include "sensorproxy.h"

#include <QDBusReply>

namespace lumvex {

namespace {

const QString kService = QStringLiteral("net.hadess.SensorProxy");
constexpr int kReplyTimeoutMs = 1000;

} // namespace

SensorProxyLight::SensorProxyLight()
    : m_bus(QDBusConnection::systemBus())
    , m_proxy(std::make_unique<SensorProxy>(kService, QStringLiteral("/net/hadess/SensorProxy"), m_bus))
    , m_watcher(kService, m_bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    QObject::connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged,
                     [this](const QString &, const QString &, const QString &owner) {
                         m_claimed = false;
                         if (!owner.isEmpty()) {
                             claim();
                         }
                     });
    m_proxy->setTimeout(kReplyTimeoutMs);
    claim();
}

void SensorProxyLight::claim()
{
    if (!m_bus.isConnected()) {
        return;
    }
    // Properties are read untyped: an invalid variant tells a daemon that did not answer.
    const QVariant hasLight = m_proxy->property("HasAmbientLight");
    if (hasLight.typeId() != QMetaType::Bool || !hasLight.toBool()) {
        return;
    }
    m_claimed = QDBusReply<void>(m_proxy->ClaimLight()).isValid();
}

SensorProxyLight::~SensorProxyLight()
{
    if (m_claimed) {
        // No need to wait: the daemon also drops the claim when our connection goes away.
        m_proxy->ReleaseLight();
    }
}

std::optional<double> SensorProxyLight::readLux()
{
    if (!m_claimed) {
        return std::nullopt;
    }
    const QVariant level = m_proxy->property("LightLevel");
    if (level.typeId() != QMetaType::Double) {
        return std::nullopt;
    }
    return level.toDouble();
}

} // namespace lumvex
