// SPDX-License-Identifier: MIT
#include "telemetry/DailyLogFile.h"
#include "base/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace lumvex;

namespace {

class DailyLogFileTest : public testing::Test
{
protected:
    std::string text(const std::string &day) const { return files::readAll(log.fileFor(day)).value_or("<missing>"); }

    test::TempDir dir;
    DailyLogFile log{dir / "state/telemetry", "telemetry-", ".jsonl"};
};

} // namespace

TEST_F(DailyLogFileTest, OneFilePerDayReadableByTheUserOnlyAndOnlyTheLatestKeptWithinTheirSize)
{
    EXPECT_TRUE(log.append("2025-03-14", "one"));
    EXPECT_TRUE(log.append("2025-03-14", "two"));
    EXPECT_TRUE(log.append("2025-03-15", "three"));

    EXPECT_EQ(text("2025-03-14"), "one\ntwo\n");
    EXPECT_EQ(files::readAll(dir / "state/telemetry/telemetry-2025-03-15.jsonl"), "three\n");
    EXPECT_EQ(test::permissionsOf(dir / "state"), 0700u);
    EXPECT_EQ(test::permissionsOf(dir / "state/telemetry"), 0700u);
    EXPECT_EQ(test::permissionsOf(log.fileFor("2025-03-14")), 0600u);

    // Going back to a day appends to what it holds; a folder that went is made again.
    log.close();
    EXPECT_TRUE(log.append("2025-03-14", "four"));
    EXPECT_EQ(text("2025-03-14"), "one\ntwo\nfour\n");
    std::filesystem::remove_all(dir / "state");
    EXPECT_TRUE(log.append("2025-03-15", "five"));
    EXPECT_EQ(text("2025-03-15"), "five\n");

    DailyLogFile kept(dir / "kept", "telemetry-", ".jsonl", 3, 16); // 12 goes for the count, 13 for the size
    for (const char *day : {"2025-03-12", "2025-03-13", "2025-03-14", "2025-03-14"}) {
        EXPECT_TRUE(kept.append(day, "row-row"));
    }
    std::ofstream(dir / "kept/notes.txt") << "not ours";
    EXPECT_TRUE(kept.append("2025-03-15", "row"));
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir / "kept")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"notes.txt", "telemetry-2025-03-14.jsonl", "telemetry-2025-03-15.jsonl",
                                               "telemetry-removed.txt"}));
    EXPECT_EQ(files::readAll(dir / "kept/telemetry-removed.txt"), "2025-03-13\n");
}

TEST_F(DailyLogFileTest, ACutLineSpoilsOnlyItselfAndABlockedFolderIsRetried)
{
    // A line left without its end by a crash...
    files::makePrivateDirectories(log.folder());
    std::ofstream(log.fileFor("2025-03-14")) << "{\"cut\":";
    EXPECT_TRUE(log.append("2025-03-14", "next"));
    EXPECT_EQ(text("2025-03-14"), "{\"cut\":\nnext\n");

    // ...or by a write that failed half way through.
    {
        test::ScopedFileSizeLimit limit(std::filesystem::file_size(log.fileFor("2025-03-14")) + 4);
        EXPECT_FALSE(log.append("2025-03-14", "too long for the disk"));
    }
    EXPECT_TRUE(log.append("2025-03-14", "after"));
    EXPECT_EQ(text("2025-03-14"), "{\"cut\":\nnext\ntoo \nafter\n");

    // A file where the folder should be: nothing is written, and every line tries again.
    DailyLogFile blocked(dir / "blocker/telemetry", "telemetry-", ".jsonl");
    std::ofstream(dir / "blocker") << "in the way";
    EXPECT_FALSE(blocked.append("2025-03-14", "lost"));
    std::filesystem::remove(dir / "blocker");
    EXPECT_TRUE(blocked.append("2025-03-14", "kept"));
    EXPECT_EQ(files::readAll(blocked.fileFor("2025-03-14")), "kept\n");
}
