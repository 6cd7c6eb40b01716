// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/LightSource.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

#include <memory>

class SensorProxy;

namespace lumvex {

// The light sensor of the sensor proxy daemon on the system bus. The daemon only polls the sensor while a
// client holds a claim, so construction claims it and destruction releases it. A daemon that starts (or
// restarts) later knows no claim of ours: it is claimed again as soon as its name appears on the bus.
//
// The level is used in the unit the daemon reports, "lux" or "vendor" alike: vendor units are the raw
// counts of sensors that have no lux calibration, which is what the level's log scale was made for, and
// the loop only compares levels with each other.
class SensorProxyLight final : public LightSource
{
public:
    SensorProxyLight();
    ~SensorProxyLight() override;
    SensorProxyLight(const SensorProxyLight &) = delete;
    SensorProxyLight &operator=(const SensorProxyLight &) = delete;

    // Whether the daemon runs, has a light sensor and accepted the claim.
    bool isClaimed() const { return m_claimed; }

    std::optional<double> readLux() override;
    bool isPresent() const override { return m_claimed; }

private:
    void claim();

    QDBusConnection m_bus;
    std::unique_ptr<SensorProxy> m_proxy;
    bool m_claimed = false;
    QDBusServiceWatcher m_watcher;
};

} // namespace lumvex
