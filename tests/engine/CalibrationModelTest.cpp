// SPDX-License-Identifier: MIT
#include "engine/CalibrationModel.h"
#include "base/Files.h"
#include "simulated/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

using namespace lumvex;

namespace {

const SituationBucket kCorner{0, 4, 2, std::nullopt, 3};
const SituationBucket kMiddle{3, 0, 1, 1, 2};

class CalibrationModelTest : public testing::Test
{
protected:
    std::string fileText() const { return files::readAll(dir / "content_offsets.json").value_or("<missing>"); }

    test::TempDir dir;
    ManualClock clock{Timestamp::fromReferenceSeconds(786000000.5)};
};

} // namespace

TEST_F(CalibrationModelTest, FirstCorrectionLearnsHalfAndSpreadsATenthToNeighbours)
{
    CalibrationModel model(dir.path(), clock);
    model.recordCorrection(kMiddle, 0.5);

    EXPECT_DOUBLE_EQ(model.rawOffset(kMiddle), 0.25);
    EXPECT_EQ(model.table().at(kMiddle).sampleCount, 1);
    EXPECT_DOUBLE_EQ(model.offset(kMiddle), 0.25 * 0.2); // one correction of five
    const auto neighbours = neighbourSituations(kMiddle);
    EXPECT_EQ(neighbours.size(), 9u); // brightBin 0 has no lower neighbour
    for (const auto &neighbour : neighbours) {
        EXPECT_DOUBLE_EQ(model.rawOffset(neighbour), 0.05);
        EXPECT_EQ(model.offset(neighbour), 0.0);
        EXPECT_EQ(model.table().at(neighbour).sampleCount, 0); // spreading never counts
    }
    EXPECT_EQ(model.situationCount(), 10u);

    // Offsets clamp, and neighbours stay in range.
    for (const auto &[bucket, residual] : {std::pair(SituationBucket{2, 2, 2, 1, 1}, 2.0), {{1, 1, 1, 0, 0}, -2.0}}) {
        model.recordCorrection(bucket, residual);
        EXPECT_DOUBLE_EQ(model.rawOffset(bucket), residual * 0.15);
    }

    EXPECT_EQ(neighbourSituations(kCorner).size(), 5u);
    // Out-of-range buckets only spread back into the range.
    EXPECT_EQ(neighbourSituations({5, 2, 2, std::nullopt, 1}).front(), (SituationBucket{4, 2, 2, std::nullopt, 1}));

    // The most corrected situations first, as many as asked for or there are.
    model.recordCorrection(kCorner, 0.1);
    model.recordCorrection(kCorner, 0.1);
    EXPECT_EQ(std::pair(model.topSituations(5).size(), model.topSituations(5).front().first), std::pair(5ul, kCorner));
    EXPECT_EQ(model.topSituations(1000).size(), model.situationCount());
    EXPECT_TRUE(CalibrationModel(dir / "empty", clock).topSituations(5).empty());
}

TEST_F(CalibrationModelTest, WritesCompactAlternatingPairsAndReadsThemBack)
{
    {
        CalibrationModel model(dir.path(), clock);
        model.recordCorrection({0, 0, 0, std::nullopt, 0}, 0.5);
        clock.advance(10);
        model.recordCorrection({4, 4, 4, 2, 3}, -0.1);
        model.recordCorrection({4, 4, 4, 2, 3}, -0.1);
    }
    const std::string text = fileText();
    EXPECT_EQ(text.find_first_of(" \n"), std::string::npos);

    CalibrationModel reloaded(dir.path(), clock);
    EXPECT_EQ(reloaded.situationCount(), 3u + 6u + 2u); // two buckets, their neighbours, none shared
    EXPECT_EQ(reloaded.table().at({4, 4, 4, 2, 3}).sampleCount, 2);
    EXPECT_EQ(CalibrationModel::decode(text), reloaded.table());

    // The example file of one bucket and one neighbour, exactly.
    const CalibrationModel::Table table{
        {{3, 0, 1, 1, 2}, {0.25, 1, Timestamp::fromReferenceSeconds(786000000.5), {}, 0}},
    };
    EXPECT_EQ(CalibrationModel::encode(table),
              R"([{"darkBin":3,"brightBin":0,"meanBin":1,"ambientBin":1,"timeOfDayBin":2},)"
              R"({"offset":0.25,"sampleCount":1,"lastUpdated":786000000.5}])");
}

TEST_F(CalibrationModelTest, ResetsWriteThroughToAFileOnlyTheUserReads)
{
    const auto folder = dir / "data/lumvex";
    CalibrationModel model(folder, clock);
    model.recordCorrection(kCorner, 0.2);
    EXPECT_EQ(std::pair(test::permissionsOf(folder), test::permissionsOf(model.filePath())), std::pair(0700u, 0600u));
    model.reset(kCorner);
    EXPECT_EQ(std::pair(model.situationCount(), CalibrationModel(folder, clock).situationCount()), std::pair(5ul, 5ul));
    model.recordStrength(0.5, 0.5);
    model.resetAll();
    EXPECT_EQ(std::pair(files::readAll(model.filePath()), model.compensationStrength()),
              std::pair(std::optional<std::string>("[]"), 1.0));
}

TEST_F(CalibrationModelTest, RememberedBrightnessLearnsLikeOffsetsAndThePreviousReaderStillReadsTheFile)
{
    CalibrationModel model(dir.path(), clock);
    model.recordCorrection(kMiddle, 0.1, 0.4);
    model.recordCorrection(kMiddle, 0.1, 0.6);
    // First choice taken as it is, the second at rate 0.5; two of five choices give 40 % of the way.
    EXPECT_NEAR(*model.table().at(kMiddle).brightness, 0.5, 1e-12);
    EXPECT_NEAR(model.rememberedBrightness(kMiddle, 0.9), 0.9 - 0.4 * 0.4, 1e-12);
    const SituationBucket neighbour{2, 0, 1, 1, 2};
    EXPECT_EQ(model.table().at(neighbour).brightnessCount, 0);
    EXPECT_EQ(model.rememberedBrightness(neighbour, 0.9), 0.9); // spread, but no direct evidence yet
    model.recordCorrection(kCorner, 0.1);                       // without a choice, no brightness is recorded
    EXPECT_FALSE(model.table().at(kCorner).brightness);
    EXPECT_EQ(model.rememberedBrightness(kCorner, 0.7), 0.7);
    // A choice that the content's level foretold better than the record counts for following the content.
    model.recordCorrection(kMiddle, 0.1, 0.9, 0.85);
    EXPECT_NEAR(model.contentFollowing(kMiddle), 0.2, 1e-12);
    // The user's compensation strength goes in a file of its own: the table's file does not change.
    const std::string table = fileText();
    model.recordStrength(-0.2, 0.5); // brightness moved against the content by 40 %
    EXPECT_NEAR(model.compensationStrength(), (1.0 * 0.1 + 0.4 * 0.25) / 0.35, 1e-12);
    // Numbers that are not finite change nothing, in the table or the strength.
    const auto learned = std::pair(model.table(), model.compensationStrength());
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -HUGE_VAL}) {
        model.recordCorrection(kCorner, bad);
        model.recordStrength(bad, 0.5);
        model.recordStrength(0.1, bad);
    }
    EXPECT_EQ(std::pair(model.table(), model.compensationStrength()), learned);
    EXPECT_EQ(fileText(), table);

    // The reader of the previous version: three required keys per entry, any others ignored.
    const auto previousReader = [](const std::string &text) {
        std::map<std::string, std::pair<double, std::int64_t>> offsets;
        const Json pairs = *json::parse(text);
        for (std::size_t i = 0; i < pairs.size(); i += 2) {
            json::requireNumber(pairs[i + 1], "lastUpdated");
            offsets[pairs[i].dump()] = {json::requireNumber(pairs[i + 1], "offset"),
                                        json::requireInteger(pairs[i + 1], "sampleCount")};
        }
        return offsets;
    };
    const auto read = previousReader(fileText());
    ASSERT_EQ(read.size(), model.situationCount());
    for (const auto &[bucket, entry] : model.table()) {
        EXPECT_EQ(read.at(json::parse(bucket.toJson().dump())->dump()), std::pair(entry.offset, entry.sampleCount));
    }
    // And the new reader gives back everything, the remembered brightness, its following and the strength
    // included; a strength edited out of range is limited.
    const CalibrationModel reloaded(dir.path(), clock);
    EXPECT_EQ(std::pair(reloaded.table(), reloaded.compensationStrength()),
              std::pair(model.table(), model.compensationStrength()));
    ASSERT_TRUE(files::writeAtomically(dir / "content_strength.json", R"({"strength":7,"evidence":-3})"));
    EXPECT_EQ(CalibrationModel(dir.path(), clock).compensationStrength(), 1.0);
}
