// SPDX-License-Identifier: MIT
#pragma once

#include "output/ExternalBrightness.h"
#include "output/VolumeControl.h"
#include "system/LoginItemControl.h"
#include "telemetry/RecordingSwitch.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace lumvex::test {

// Output volume in memory, single precision like the real one.
class FakeVolume final : public VolumeControl
{
public:
    explicit FakeVolume(double level = 0.5, bool muted = false)
        : m_level(static_cast<float>(level))
        , m_muted(muted)
    {}

    double get() override { return m_level; }
    double set(double volume) override
    {
        m_level = static_cast<float>(std::clamp(volume, 0.0, 1.0));
        return m_level;
    }
    bool isMuted() override { return m_muted; }
    void setMuted(bool muted) override { m_muted = muted; }
    bool isVolumeControllable() override { return true; }

private:
    float m_level;
    bool m_muted;
};

// External displays' brightness by id; a display without a value cannot be read.
class FakeExternalBrightness final : public ExternalBrightness
{
public:
    std::optional<double> get(DisplayId display) override
    {
        const auto it = levels.find(display);
        return it == levels.end() ? std::nullopt : std::optional<double>(it->second);
    }
    bool set(DisplayId display, double brightness) override
    {
        writes.emplace_back(display, brightness);
        if (onLevelKnown) {
            onLevelKnown(display, brightness);
        }
        return true;
    }

    std::map<DisplayId, double> levels;
    std::vector<std::pair<DisplayId, double>> writes;
};

class FakeRecorder final : public RecordingSwitch
{
public:
    explicit FakeRecorder(std::filesystem::path folder)
        : m_directory(std::move(folder))
    {}

    bool isRecording() const override { return recording; }
    void toggleRecording() override { recording = !recording; }
    std::filesystem::path directory() const override { return m_directory; }

    bool recording = false;

private:
    std::filesystem::path m_directory;
};

class FakeLoginItem final : public LoginItemControl
{
public:
    LoginItemStatus status() const override
    {
        return enabled ? LoginItemStatus::enabled : LoginItemStatus::notRegistered;
    }
    bool toggle() override
    {
        enabled = !enabled;
        return true;
    }

    bool enabled = false;
};

} // namespace lumvex::test
