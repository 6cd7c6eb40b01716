// SPDX-License-Identifier: MIT
#pragma once

#include "engine/AdjustmentSource.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::report {

// One telemetry row, with what the report shows of it. Times are seconds since 1970 (UTC). The texts
// point into the reader's buffer and last only while the row is handed on.
struct TelemetryPoint
{
    double t = 0.0;
    std::string_view trigger;
    std::optional<std::string_view> event;
    std::optional<std::string_view> source;
    double brightness = 0.0;
    std::optional<double> bBefore;
    std::optional<double> bAfter;
    std::optional<double> lumRaw;
    std::optional<double> lumSlow;
    std::optional<double> ambLux;
    std::optional<double> bLoop;
    std::optional<std::string_view> app; // the name, else the id
    bool autoOn = false;
};

// One row of the adjustment log.
struct Adjustment
{
    double t = 0.0;
    AdjustmentSource source = AdjustmentSource::automatic;
    double before = 0.0;
    double after = 0.0;
    double luminance = 0.0;
};

// A line that could not be read, kept for the person reading the report. Line 0 stands for the whole file.
struct Problem
{
    std::filesystem::path file;
    std::size_t line = 0;
    std::string reason;

    std::string text() const;
};

// What was read besides the telemetry rows, which go on as they are read: the adjustment log's rows in
// the order of their files, the files and the lines that could not be read.
struct Recording
{
    static constexpr std::size_t kKeptProblems = 20;

    std::size_t telemetryRows = 0;
    std::vector<Adjustment> adjustments;
    std::vector<std::filesystem::path> files;
    std::vector<Problem> problems; // the first kKeptProblems
    std::size_t problemCount = 0;
    std::vector<std::string> notes; // about the recording as a whole, such as days the recorder removed

    void addProblem(const std::filesystem::path &file, std::size_t line, std::string reason);
};

} // namespace lumvex::report
