// SPDX-License-Identifier: MIT
#include "LightSourceFactory.h"

#include "IioLight.h"
#include "SensorProxyLight.h"

#include <chrono>

namespace lumvex {

namespace {

// Neither the daemon nor a device yet: the daemon is claimed as soon as it appears on the bus, and a
// device that turns up later (a module loaded after login) is looked for now and then, not on every read.
class LateLightSource final : public LightSource
{
public:
    LateLightSource(std::unique_ptr<SensorProxyLight> proxy, std::filesystem::path root)
        : m_proxy(std::move(proxy))
        , m_root(std::move(root))
    {}

    std::optional<double> readLux() override
    {
        if (m_proxy->isClaimed()) {
            return m_proxy->readLux();
        }
        lookForDevice();
        return m_device ? m_device->readLux() : std::nullopt;
    }

    bool isPresent() const override
    {
        lookForDevice();
        return m_proxy->isClaimed() || m_device != nullptr;
    }

private:
    static constexpr std::chrono::seconds kRescanInterval{2};

    void lookForDevice() const
    {
        const auto now = std::chrono::steady_clock::now();
        if (m_device || now < m_nextScan) {
            return;
        }
        m_nextScan = now + kRescanInterval;
        if (std::optional<IioChannel> channel = findIlluminanceChannel(m_root)) {
            m_device = std::make_unique<IioLight>(std::move(*channel));
        }
    }

    std::unique_ptr<SensorProxyLight> m_proxy;
    std::filesystem::path m_root;
    mutable std::unique_ptr<IioLight> m_device;
    mutable std::chrono::steady_clock::time_point m_nextScan;
};

} // namespace

std::unique_ptr<LightSource> openLightSource(const std::filesystem::path &root)
{
    auto proxy = std::make_unique<SensorProxyLight>();
    if (proxy->isClaimed()) {
        return proxy;
    }
    if (std::optional<IioChannel> channel = findIlluminanceChannel(root)) {
        return std::make_unique<IioLight>(std::move(*channel));
    }
    return std::make_unique<LateLightSource>(std::move(proxy), root);
}

} // namespace lumvex
