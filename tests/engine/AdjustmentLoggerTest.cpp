// SPDX-License-Identifier: MIT
#include "engine/AdjustmentLogger.h"
#include "base/Files.h"
#include "engine/FrontmostAppProvider.h"
#include "simulated/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace lumvex;

namespace {

class FixedFrontmostApp : public FrontmostAppProvider
{
public:
    std::optional<std::string> frontmostAppId() const override { return id; }
    std::optional<std::string> id;
};

class AdjustmentLoggerTest : public testing::Test
{
protected:
    std::string logText() const { return files::readAll(dir / "logs/adjustments.csv").value_or("<missing>"); }

    test::TempDir dir;
    ManualClock clock{Timestamp::fromUnixSeconds(1741944413.75)}; // 2025-03-14T09:26:53Z
    FixedFrontmostApp app;
};

} // namespace

TEST_F(AdjustmentLoggerTest, NewFileGetsTheHeaderThenOneRowPerCall)
{
    {
        AdjustmentLogger logger(dir / "logs", clock, &app);
        EXPECT_EQ(logText(), AdjustmentLogger::kHeader);
        EXPECT_EQ(test::permissionsOf(logger.filePath()), 0600u);

        app.id = "org.gnome.TextEditor";
        logger.log(AdjustmentSource::scroll, 0.6, 0.8, 0.25, 0.1904, SituationBucket{1, 0, 2, std::nullopt, 3}, -0.012);
    }
    EXPECT_EQ(logText(), std::string(AdjustmentLogger::kHeader) +
                             "2025-03-14T09:26:53Z,scroll,0.6000,0.8000,0.2500,0.1904,1|0|2|-|3,-0.0120,"
                             "org.gnome.TextEditor\n");

    // A second launch appends without a new header.
    AdjustmentLogger again(dir / "logs", clock, &app);
    again.log(AdjustmentSource::automatic, 0.5, 0.55, 0.4, 0.2, SituationBucket{4, 3, 2, 1, 0}, 0.0);
    const std::string text = logText();
    EXPECT_EQ(text.find("timestamp_iso", 1), std::string::npos);
    EXPECT_NE(text.find(",auto,0.5000,0.5500,0.4000,0.2000,4|3|2|1|0,0.0000,org.gnome.TextEditor\n"),
              std::string::npos);
    // Rows without a situation or a provider are seen in the loop's log; an empty id is not. An id cannot
    // forge columns or rows.
    app.id = "";
    again.log(AdjustmentSource::scroll, 0.1, 0.2, 0.3, 0.4, std::nullopt, 0.0);
    EXPECT_TRUE(logText().ends_with(",,0.0000,unknown\n"));
    app.id = "evil,app\n2099-01-01T00:00:00Z,scroll";
    again.log(AdjustmentSource::scroll, 0.1, 0.2, 0.3, 0.4, std::nullopt, 0.0);
    const std::string all = logText();
    const std::string last = all.substr(all.rfind("unknown\n") + 8);
    EXPECT_EQ(std::pair(std::count(last.begin(), last.end(), '\n'), std::count(last.begin(), last.end(), ',')),
              std::pair(1L, 8L));
}

TEST_F(AdjustmentLoggerTest, ExistingFilesAreAppendedToOnAFreshLine)
{
    const std::string row = "2025-03-14T09:26:53Z,auto_fast,0.3000,0.9000,0.1000,0.0900,,0.0000,unknown\n";
    const std::string header(AdjustmentLogger::kHeader);
    for (const auto &[before, after] : std::vector<std::pair<std::string, std::string>>{
             {"no header here\n", "no header here\n" + row},
             {header + "2025-03-14T09:2", header + "2025-03-14T09:2\n" + row}, // a row cut by a kill
             {"", header + row},                                               // killed before the header
         }) {
        std::filesystem::create_directories(dir / "logs");
        ASSERT_TRUE(files::writeAtomically(dir / "logs/adjustments.csv", before));
        AdjustmentLogger logger(dir / "logs", clock);
        logger.log(AdjustmentSource::automaticFast, 0.3, 0.9, 0.1, 0.09, std::nullopt, 0.0);
        EXPECT_EQ(logText(), after);
    }
}

TEST_F(AdjustmentLoggerTest, AFullLogBecomesThePreviousOneAndANewOneStarts)
{
    const std::string header(AdjustmentLogger::kHeader);
    const std::string row = "2025-03-14T09:26:53Z,scroll,0.1000,0.2000,0.3000,0.4000,,0.0000,unknown\n";
    AdjustmentLogger logger(dir / "logs", clock, nullptr, header.size() + 2 * row.size());
    for (int i = 0; i < 5; ++i) {
        logger.log(AdjustmentSource::scroll, 0.1, 0.2, 0.3, 0.4, std::nullopt, 0.0);
    }
    EXPECT_EQ(logText(), header + row);
    EXPECT_EQ(files::readAll(dir / "logs/adjustments.csv.1"), header + row + row); // one previous file only
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "logs"), {}), 2);
}

// A link in its place is seen with the real program (test_tray_program.py).
TEST_F(AdjustmentLoggerTest, AFifoOrAFileInItsPlaceIsNeverWaitedForNorWrittenTo)
{
    std::filesystem::create_directories(dir / "logs");
    ASSERT_EQ(::mkfifo((dir / "logs/adjustments.csv").c_str(), 0600), 0);
    AdjustmentLogger(dir / "logs", clock).log(AdjustmentSource::scroll, 0.1, 0.2, 0.3, 0.4, std::nullopt, 0.0);

    ASSERT_TRUE(files::writeAtomically(dir / "blocked", "a file where the folder should be"));
    AdjustmentLogger(dir / "blocked", clock).log(AdjustmentSource::scroll, 0.1, 0.2, 0.3, 0.4, std::nullopt, 0.0);
    EXPECT_EQ(files::readAll(dir / "blocked"), "a file where the folder should be");
}
