#pragma once

#include "VolumeControl.h"
#include "VolumeLevel.h"

#include <cstddef>

namespace lumvex {

// An output device in memory that stores its level in single precision, as audio services do, and
// counts the writes that reach it. Without a device (setAvailable(false)) it gives the neutral answers
// of a missing audio server. Stands in for the audio server in tests.
class SimulatedVolume final : public VolumeControl
{
public:
    explicit SimulatedVolume(double initial = 0.5, bool muted = false)
        : m_level(static_cast<float>(initial))
        , m_muted(muted)
    {}

    double get() override { return m_available ? std::clamp(m_level, 0.0f, 1.0f) : 0.0; }
    double set(double volume) override
    {
        const auto level = requestedVolume(volume);
        if (!level) {
            return get();
        }
        if (m_available) {
            m_level = *level;
            ++m_writes;
        }
        return *level;
    }
    bool isMuted() override { return m_available && m_muted; }
    void setMuted(bool muted) override
    {
        if (m_available) {
            m_muted = muted;
            ++m_writes;
        }
    }
    bool isVolumeControllable() override { return m_available; }

    // What another program or the keyboard does to the device; may leave 0...1, as real devices can.
    void setDeviceVolume(float level) { m_level = level; }
    void setAvailable(bool available) { m_available = available; }
    std::size_t writeCount() const { return m_writes; }

private:
    float m_level;
    bool m_muted;
    bool m_available = true;
    std::size_t m_writes = 0;
};

} // namespace lumvex
