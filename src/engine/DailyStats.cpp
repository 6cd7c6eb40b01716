// SPDX-License-Identifier: MIT
#include "DailyStats.h"

#include "base/Clock.h"
#include "base/Files.h"
#include "base/JsonFields.h"

#include <algorithm>
#include <limits>

namespace lumvex {

DailyStats::DailyStats(const std::filesystem::path &folder, const Clock &clock)
    : DailyStats(files::loadStateFile<Counts>(folder / "dailystats.json", decode,
                                              "days whose count is not a whole number from 0 up",
                                              "is not a JSON object of day counts"),
                 clock)
{}

DailyStats::DailyStats(files::LoadedState<Counts> loaded, const Clock &clock)
    : m_clock(clock)
    , m_file(std::move(loaded.file))
    , m_countsByDay(std::move(loaded.state))
{}

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
    m_file.write(encode(m_countsByDay));
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
    // Sorted like the map, so it keeps the order; looked up in log time, unlike the ordered object.
    ParsedJson object = ParsedJson::object();
    for (const auto &[day, count] : counts) {
        object[day] = count;
    }
    return object.dump();
}

std::optional<DailyStats::Counts> DailyStats::decode(std::string_view text, files::DecodeNotes *notes)
{
    const auto value = json::parse(text);
    if (!value || !value->is_object()) {
        return std::nullopt;
    }
    Counts counts;
    files::DecodeNotes found;
    for (const auto &[day, count] : value->items()) {
        const auto number = json::asInteger(count);
        if (!number || *number < 0) {
            ++found.leftOut; // one bad day costs only itself
            found.losses.push_back(files::quoted(day));
            continue;
        }
        counts.emplace_hint(counts.end(), day, *number);
    }
    if (notes != nullptr) {
        *notes = std::move(found);
    }
    return counts;
}

} // namespace lumvex
