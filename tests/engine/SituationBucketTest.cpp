// SPDX-License-Identifier: MIT
#include "engine/SituationBucket.h"
#include "engine/CalibrationEntry.h"

#include <gtest/gtest.h>

using namespace lumvex;

namespace {

Json parse(const char *text)
{
    return Json::parse(text);
}

} // namespace

TEST(SituationBucket, DecodesNullAmbientUnknownKeysAndAnyKeyOrder)
{
    const auto bucket = SituationBucket::fromJson(
        parse(R"({"darkBin":1,"brightBin":0,"meanBin":2,"ambientBin":null,"timeOfDayBin":3})"));
    EXPECT_EQ(bucket, (SituationBucket{1, 0, 2, std::nullopt, 3}));
    EXPECT_NE(bucket, (SituationBucket{1, 0, 2, 0, 3}));
    EXPECT_EQ(SituationBucket::fromJson(
                  parse(R"({"timeOfDayBin":0,"extra":"x","ambientBin":2,"meanBin":4,"brightBin":1,"darkBin":3})")),
              (SituationBucket{3, 1, 4, 2, 0}));
    // Out-of-range bins are held as they are.
    EXPECT_EQ(SituationBucket::fromJson(parse(R"({"darkBin":-7,"brightBin":9,"meanBin":2,"timeOfDayBin":12})")),
              (SituationBucket{-7, 9, 2, std::nullopt, 12}));
}

TEST(CalibrationEntry, RoundTripsExactly)
{
    const CalibrationEntry entry{0.1 + 0.2, 7, Timestamp::fromReferenceSeconds(786000000.123456789), {}, 0};
    EXPECT_EQ(CalibrationEntry::fromJson(Json::parse(entry.toJson().dump())), entry);

    // Integers are numbers too.
    EXPECT_EQ(CalibrationEntry::fromJson(parse(R"({"offset":0,"sampleCount":2,"lastUpdated":5})")).lastUpdated,
              Timestamp::fromReferenceSeconds(5));
}
