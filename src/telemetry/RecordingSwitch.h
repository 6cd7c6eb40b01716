// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace lumvex {

// What the menu needs of the telemetry recorder: whether it records, a switch, and where the files are.
class RecordingSwitch
{
public:
    virtual ~RecordingSwitch() = default;

    virtual bool isRecording() const = 0;
    virtual void toggleRecording() = 0;
    virtual std::filesystem::path directory() const = 0;
};

} // namespace lumvex
