#pragma once

#include "Timestamp.h"

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
    const std::filesystem::path &filePath() const { return m_filePath; }

    static std::string encode(const Counts &counts);
    // Nothing unless the text is a JSON object of integers.
    static std::optional<Counts> decode(std::string_view text);

private:
    const Clock &m_clock;
    std::filesystem::path m_filePath;
    Counts m_countsByDay;
};

} // namespace lumvex
