// SPDX-License-Identifier: MIT
#include "engine/DailyStats.h"
#include "base/Files.h"
#include "simulated/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;

namespace {

// 2025-03-14 23:59 local time at UTC+1.
const Timestamp kLateEvening = Timestamp::fromUnixSeconds(1741993140.0);
constexpr int kUtcPlusOne = 3600;

class DailyStatsTest : public testing::Test
{
protected:
    void writeFile(const std::string &text) { ASSERT_TRUE(files::writeAtomically(dir / "dailystats.json", text)); }
    std::string fileText() const { return files::readAll(dir / "dailystats.json").value_or("<missing>"); }

    test::TempDir dir;
    ManualClock clock{kLateEvening, kUtcPlusOne};
};

} // namespace

TEST_F(DailyStatsTest, CountsPerLocalDayAndWritesThrough)
{
    DailyStats stats(dir.path(), clock);
    stats.recordManualAdjustment(kLateEvening);
    stats.recordManualAdjustment(kLateEvening + 120); // 00:01 the next day
    stats.recordManualAdjustment(kLateEvening + 180);
    EXPECT_EQ(fileText(), R"({"2025-03-14":1,"2025-03-15":2})");
    EXPECT_EQ(DailyStats(dir.path(), clock).countsByDay(), stats.countsByDay());
    EXPECT_EQ(test::permissionsOf(stats.filePath()), 0600u);

    clock.advance(120);
    stats.recordManualAdjustment(); // now
    EXPECT_EQ(stats.todayCount(), 3);
    EXPECT_EQ(stats.daysRecorded(), 2);
}

TEST_F(DailyStatsTest, RollingWindowCrossesMonthAndYearEndsBaselineTakesTheSevenEarliestDaysWhateverTheGaps)
{
    writeFile(R"({"2024-12-30":2,"2024-12-31":4,"2025-01-01":1,"2024-12-25":100,"2024-10-01":1,"2024-11-01":1,)"
              R"("2024-11-02":1,"2024-12-01":1,"2024-12-20":5})");
    clock.set(Timestamp::fromUnixSeconds(1735732800.0)); // 2025-01-01 12:00 UTC
    DailyStats stats(dir.path(), clock);
    EXPECT_EQ(
        std::pair(DailyStats(dir / "none", clock).rollingAverage(), DailyStats(dir / "none", clock).baselineAverage()),
        std::pair(0.0, 0.0));
    EXPECT_EQ(stats.rollingAverage(0), 0.0);
    EXPECT_DOUBLE_EQ(stats.rollingAverage(3), 7.0 / 3.0);
    EXPECT_DOUBLE_EQ(stats.rollingAverage(7), 7.0 / 7.0); // 12-26 ... 01-01, the 25th is outside
    EXPECT_EQ(stats.daysRecorded(), 9);
    EXPECT_DOUBLE_EQ(stats.baselineAverage(), 111.0 / 7.0); // 10-01 ... 12-30: the later 12-31 and 01-01 are not
}

TEST_F(DailyStatsTest, ForeignKeysStayButNeverMatchADay)
{
    writeFile(R"({"14.03.2025":5,"2025-03-14":1})");
    DailyStats stats(dir.path(), clock);
    EXPECT_EQ(stats.daysRecorded(), 2);
    EXPECT_EQ(stats.todayCount(), 1);
    EXPECT_DOUBLE_EQ(stats.baselineAverage(), 3.0); // "14.03..." sorts before "2025-..."
    stats.recordManualAdjustment(kLateEvening);
    EXPECT_EQ(fileText(), R"({"14.03.2025":5,"2025-03-14":2})");
}
