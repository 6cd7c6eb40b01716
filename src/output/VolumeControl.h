// SPDX-License-Identifier: MIT
#pragma once

namespace lumvex {

// The output volume of the default audio device, 0...1, and its mute switch. Every call answers at once;
// without an audio server the answers are neutral (0.0, not muted, not controllable).
class VolumeControl
{
public:
    virtual ~VolumeControl() = default;

    virtual double get() = 0;
    // Returns the value asked for, within 0...1 and in single precision.
    virtual double set(double volume) = 0;
    double adjust(double delta) { return set(get() + delta); }
    virtual bool isMuted() = 0;
    virtual void setMuted(bool muted) = 0;
    virtual bool isVolumeControllable() = 0;
};

} // namespace lumvex
