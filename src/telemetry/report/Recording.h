// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumvex::report {

// One telemetry row, with what the report shows of it. Times are seconds since 1970 (UTC).
struct TelemetryPoint
{
    double t = 0.0;
    std::string trigger;
    std::optional<std::string> event;
    std::optional<std::string> source;
    double brightness = 0.0;
    std::optional<double> bBefore;
    std::optional<double> bAfter;
    std::optional<double> lumRaw;
    std::optional<double> lumSlow;
    std::optional<double> ambLux;
    std::optional<double> bLoop;
    std::optional<std::string> app; // the name, else the id
    bool autoOn = false;
};

// One row of the adjustment log.
struct Adjustment
{
    double t = 0.0;
    std::string event; // "scroll" and "system_key" are the user's; "auto" and "auto_fast" the loop's
    double before = 0.0;
    double after = 0.0;
    double luminance = 0.0;

    bool isManual() const { return event == "scroll" || event == "system_key"; }
};

// A line that could not be read, kept for the person reading the report. Line 0 stands for the whole file.
struct Problem
{
    std::filesystem::path file;
    std::size_t line = 0;
    std::string reason;

    std::string text() const;
};

// Everything read from the inputs, rows in the order of their files.
struct Recording
{
    static constexpr std::size_t kKeptProblems = 20;

    std::vector<TelemetryPoint> telemetry;
    std::vector<Adjustment> adjustments;
    std::vector<std::filesystem::path> files;
    std::vector<Problem> problems; // the first kKeptProblems
    std::size_t problemCount = 0;

    void addProblem(const std::filesystem::path &file, std::size_t line, std::string reason);
};

} // namespace lumvex::report
