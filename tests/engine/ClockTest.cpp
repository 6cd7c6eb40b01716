// SPDX-License-Identifier: MIT
#include "base/CivilDate.h"
#include "base/Iso8601.h"
#include "engine/SystemClock.h"
#include "simulated/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <tuple>

using namespace lumvex;

namespace {

// Central European time without a time zone database: UTC+1, summer time from the last Sunday of March.
constexpr const char *kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";

class LocalZone
{
public:
    explicit LocalZone(const char *tz)
        : m_env("TZ", tz)
    {
        tzset();
    }
    ~LocalZone() { tzset(); }

private:
    test::ScopedEnv m_env;
};

} // namespace

TEST(CivilDate, ConvertsAcrossEpochsLeapDaysAndYearEnds)
{
    EXPECT_EQ(daysFromCivil({2001, 1, 1}) * 86400, 978307200); // the stored files' epoch
    EXPECT_EQ(addDays({2024, 3, 1}, -1), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(addDays({2025, 12, 31}, 1), (CivilDate{2026, 1, 1}));
    EXPECT_EQ(weekdayOf({2025, 3, 14}), 6); // a Friday
    EXPECT_EQ(dayKey({987, 5, 6}), "0987-05-06");
}

TEST(SystemClock, DayKeysFollowTheLocalMidnight)
{
    LocalZone zone(kBerlin);
    const SystemClock clock;
    // 23:59 and 00:01 in Berlin (UTC+1 in March) are two different days.
    const Timestamp lateEvening = Timestamp::fromUnixSeconds(1741993140.0); // 2025-03-14 23:59 local
    const Timestamp afterMidnight = lateEvening + 120;                      // 00:01 local
    EXPECT_EQ(clock.dayKey(lateEvening), "2025-03-14");
    EXPECT_EQ(clock.dayKey(afterMidnight), "2025-03-15");
    const LocalTime fields = clock.localTime(afterMidnight);
    EXPECT_EQ(std::tuple(fields.hour, fields.minute, fields.weekday), std::tuple(0, 1, 7)); // a Saturday
    // In UTC the same moments are one day: the zone, not the clock's numbers, decides.
    LocalZone utc("UTC0");
    EXPECT_EQ(clock.dayKey(lateEvening), "2025-03-14");
    EXPECT_EQ(clock.dayKey(afterMidnight), "2025-03-14");
}

TEST(Iso8601, FormatsUtcWithOptionalMillisecondsTruncated)
{
    const Timestamp t = Timestamp::fromUnixSeconds(1741944413.5899);
    EXPECT_EQ(iso8601Utc(t), "2025-03-14T09:26:53Z");
    EXPECT_EQ(iso8601Utc(t, true), "2025-03-14T09:26:53.589Z");
    EXPECT_EQ(iso8601Utc(Timestamp::fromUnixSeconds(-0.5), true), "1969-12-31T23:59:59.500Z");
}
