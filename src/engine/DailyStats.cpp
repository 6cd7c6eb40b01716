#include "DailyStats.h"

#include "Clock.h"
#include "Files.h"
#include "JsonFields.h"

#include <algorithm>
#include <limits>

namespace lumvex {

DailyStats::DailyStats(const std::filesystem::path &folder, const Clock &clock)
    : m_clock(clock)
    , m_filePath(folder / "dailystats.json")
{
    files::makePrivateDirectories(folder);
    if (const auto text = files::readAll(m_filePath)) {
        if (auto counts = decode(*text)) {
            m_countsByDay = std::move(*counts);
        }
    }
}

void DailyStats::recordManualAdjustment()
{
    recordManualAdjustment(m_clock.now());
}

void DailyStats::recordManualAdjustment(Timestamp at)
{
    std::int64_t &count = m_countsByDay[m_clock.dayKey(at)];
    if (count < std::numeric_limits<std::int64_t>::max()) {
        ++count;
    }
    // A failed write leaves the previous file; the count stays in memory.
    files::writeAtomically(m_filePath, encode(m_countsByDay));
}

double DailyStats::rollingAverage(int days) const
{
    if (days < 1) {
        return 0.0;
    }
    const CivilDate today = m_clock.localNow().date;
    double sum = 0.0;
    for (int i = 0; i < days; ++i) {
        const auto it = m_countsByDay.find(dayKey(addDays(today, -i)));
        if (it != m_countsByDay.end()) {
            sum += static_cast<double>(it->second);
        }
    }
    return sum / days;
}

double DailyStats::baselineAverage() const
{
    // Keys sort as dates because of their fixed-width pattern; the map keeps them sorted.
    const std::size_t m = std::min<std::size_t>(m_countsByDay.size(), 7);
    if (m == 0) {
        return 0.0;
    }
    double sum = 0.0;
    auto it = m_countsByDay.begin();
    for (std::size_t i = 0; i < m; ++i, ++it) {
        sum += static_cast<double>(it->second);
    }
    return sum / static_cast<double>(m);
}

std::int64_t DailyStats::todayCount() const
{
    const auto it = m_countsByDay.find(m_clock.dayKey(m_clock.now()));
    return it == m_countsByDay.end() ? 0 : it->second;
}

std::string DailyStats::encode(const Counts &counts)
{
    Json object = Json::object();
    for (const auto &[day, count] : counts) {
        object[day] = count;
    }
    return object.dump();
}

std::optional<DailyStats::Counts> DailyStats::decode(std::string_view text)
{
    const auto value = json::parse(text);
    if (!value || !value->is_object()) {
        return std::nullopt;
    }
    Counts counts;
    for (const auto &[day, count] : value->items()) {
        const auto number = json::asInteger(count);
        if (!number) {
            return std::nullopt;
        }
        counts[day] = *number;
    }
    return counts;
}

} // namespace lumvex
