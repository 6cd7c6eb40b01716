#include "LightSourceFactory.h"

#include "IioLight.h"
#include "SensorProxyLight.h"

namespace lumvex {

std::unique_ptr<LightSource> openLightSource(const std::filesystem::path &root)
{
    auto proxy = std::make_unique<SensorProxyLight>();
    if (proxy->isClaimed()) {
        return proxy;
    }
    if (std::optional<IioChannel> channel = findIlluminanceChannel(root)) {
        return std::make_unique<IioLight>(std::move(*channel));
    }
    // Without a device of its own the machine's sensor can only come through the daemon, once it starts.
    return proxy;
}

} // namespace lumvex
