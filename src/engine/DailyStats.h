// SPDX-License-Identifier: MIT
#pragma once

#include "base/Files.h"
#include "base/Timestamp.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace lumvex {

class Clock;

// Manual corrections counted per local calendar day, kept in dailystats.json.
class DailyStats
{
public:
    using Counts = std::map<std::string, std::int64_t>;

    // Loads dailystats.json, leaving out days whose count is not a whole number from 0 up; a file that
    // cannot be read or parsed at all is moved aside (files::setAside), or else never written.
    DailyStats(const std::filesystem::path &folder, const Clock &clock);

    // Adds one to the day of the moment and writes the file.
    void recordManualAdjustment(Timestamp at);
    void recordManualAdjustment();

    // Mean per calendar day over today and the days - 1 before it; days without corrections count as zero.
    double rollingAverage(int days = 7) const;
    // Mean over the earliest recorded days (at most seven), whatever the gaps between them.
    double baselineAverage() const;
    std::int64_t todayCount() const;
    std::int64_t daysRecorded() const { return static_cast<std::int64_t>(m_countsByDay.size()); }

    const Counts &countsByDay() const { return m_countsByDay; }
    const std::filesystem::path &filePath() const { return m_file.path(); }

    static std::string encode(const Counts &counts);
    // Nothing unless the text is a JSON object; members that are not counts are left out and counted.
    static std::optional<Counts> decode(std::string_view text, files::DecodeNotes *notes = nullptr);

private:
    DailyStats(files::LoadedState<Counts> loaded, const Clock &clock);

    const Clock &m_clock;
    files::StateFile m_file;
    Counts m_countsByDay;
};

} // namespace lumvex
