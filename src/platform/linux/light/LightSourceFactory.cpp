#include "LightSourceFactory.h"

#include "IioLight.h"
#include "SensorProxyLight.h"

namespace lumvex {

std::unique_ptr<LightSource> openLightSource(const std::filesystem::path &root)
{
    if (auto proxy = std::make_unique<SensorProxyLight>(); proxy->isClaimed()) {
        return proxy;
    }
    if (std::optional<IioChannel> channel = findIlluminanceChannel(root)) {
        return std::make_unique<IioLight>(std::move(*channel));
    }
    return nullptr;
}

} // namespace lumvex
